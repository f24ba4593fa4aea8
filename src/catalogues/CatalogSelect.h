#pragma once

#include <QString>

class QWidget;

// The pickers of the catalogues: a modal selection window, owned by the
// calling window and centred on the screen, that opens on the row of the
// given code (or on the lowest code). True, with the chosen code, when the
// user accepts a row; false, with the code unchanged, otherwise.
bool SelectEnorias(QWidget* caller, QString& code);
// `code` 0 stands for an empty code field.
bool SelectTipVenit(QWidget* caller, int& code);
bool SelectTipCheltuiala(QWidget* caller, int& code);
