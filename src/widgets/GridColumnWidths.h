#pragma once

#include <functional>

class QTableView;

// Makes each column of a grid wide enough for its caption and for a value of
// `charactersOf(column)` characters, so that names and captions are read
// whole; returns the grid's width for those columns, with its row header,
// frame and scroll bar.
int sizeColumnsToCharacters(QTableView* grid, const std::function<int(int column)>& charactersOf);
