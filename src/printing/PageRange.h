#pragma once

// The pages of a report that a print job sends to the printer (1-based, both included).
struct PageRange {
    int first = 1;
    int last = 0;

    bool isEmpty() const { return last < first; }
    int count() const { return isEmpty() ? 0 : last - first + 1; }

    // The pages to print of a report of `pageCount` pages, from the chosen first and last page (0 and 0:
    // all). A range past the end prints the last page, and a last page before the first is raised to it,
    // as the print setup does.
    static PageRange of(int pageCount, int firstPage, int lastPage);
};
