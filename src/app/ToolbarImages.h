#pragma once

#include <QPixmap>

// The pictures of the main window's toolbar, drawn by the program itself.
namespace ToolbarImages
{

QPixmap incomes();     // money coming in
QPixmap deposits();    // cash into the bank
QPixmap withdrawals(); // cash out of the bank
QPixmap expenses();    // money going out
QPixmap churchAuthorityLogo();
QPixmap church();
QPixmap publisherLogo();

} // namespace ToolbarImages
