#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

// A report's printed rows as a CSV file: a header line of the column
// captions, then one line per row; values separated by ';', UTF-8 with a
// byte-order mark. A text a spreadsheet would run as a formula ("=...",
// "+...", "-...", "@...") is written with a leading apostrophe.
struct CsvTable {
    QStringList header;
    QList<QStringList> rows;

    // The file's text; a value holding ';', a quote or a line break is quoted.
    QString text() const;
    // Writes the file. Throws IoError.
    void write(const QString& filePath) const;

    // A number as the CSV carries it: no thousands separator, the locale's
    // decimal separator, `decimals` places (-1: the shortest exact form).
    static QString number(double value, int decimals = 2, const QLocale& locale = QLocale());
};
