#pragma once

// The question the grid and the record navigator ask before deleting the
// current record: "Delete record?", answered through the program's dialogs.
// True when the user answered "Da".
bool confirmRecordDelete();
