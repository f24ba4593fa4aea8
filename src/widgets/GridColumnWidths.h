#pragma once

#include <QList>
#include <functional>

class QTableView;
class QWidget;
class TDBGridNormal;
struct FieldInfo;

// Makes each column of a grid wide enough for its caption and for a value of
// `charactersOf(column)` characters, so that names and captions are read
// whole; returns the grid's width for those columns, with its row header,
// frame and scroll bar.
int sizeColumnsToCharacters(QTableView* grid, const std::function<int(int column)>& charactersOf);

// Characters a column is made wide enough for when its rows hold shorter
// texts: a text field's size, up to the longest names a list usually holds;
// a number's or a date's digits.
int typicalCharacters(const FieldInfo& field);

// Makes each column of a bound grid wide enough for its caption, for
// `typicalCharacters` of its field and for the longest text its rows show
// (so that a long explanation is read whole); returns the grid's width for
// those columns, as sizeColumnsToCharacters.
int sizeColumnsToContents(TDBGridNormal* grid);

// Widens the window (before it is shown) so that each grid shows all of its
// columns: the grid gets `gridWidths[i]`, the width its columns need, as far
// as the screen's available width allows.
void widenForGrids(QWidget* window, const QList<QTableView*>& grids, const QList<int>& gridWidths);
