#pragma once

#include <QChar>

class QKeyEvent;
class QLineEdit;

// Typing a date into the masked date inputs (the bound one, the free one and
// the grid's date cells), so that "5.3.2024" reads as 5 March in all of them.
namespace DateTyping
{

// True when the key types the date separator.
bool isSeparator(const QKeyEvent* event);

// True when the key types a printable character a date cannot hold (neither
// a digit nor the separator); keys with Ctrl or Alt type nothing.
bool isRefusedCharacter(const QKeyEvent* event);

// Called before the separator typed after a one-digit day or month reaches
// the input: the places left in that part are cleared, so that "5.5.2024"
// typed over 03.03.2024 reads as 5 May and not as 53.53.2024 (nor 1.03.2024
// over 02.03.2024 as 12 March).
void endPartEarly(QLineEdit* input);

} // namespace DateTyping
