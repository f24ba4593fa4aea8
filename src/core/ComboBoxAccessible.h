#pragma once

// On Linux Qt names a combo box after the item it shows ("CHIT", "Casa")
// and leaves its caption to a label relation that not every screen reader
// follows. Installed once (again: does nothing), this makes every combo box
// of the program say its caption as its name (its accessible name, else its
// buddy label's text) and the item it shows as its value.
void installComboBoxAccessible();
