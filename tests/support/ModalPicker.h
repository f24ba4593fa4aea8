#pragma once

#include <functional>

class TCatalogFrm;

// Runs `open` (which shows a catalogue's modal picker) and, once the picker
// is up and active, `drive` on it; a picker the script leaves open is given
// up, so that the test goes on. Fails the test when no picker was shown.
void whilePickerShown(const std::function<void(TCatalogFrm*)>& drive, const std::function<void()>& open);
