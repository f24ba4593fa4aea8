#pragma once

class Dataset;
class QKeyEvent;

// The record keys shared by the bound inputs: Page Up / Page Down move
// between records, Insert starts a new one, Ctrl+Delete abandons a new record
// or deletes the current one at once, Ctrl+R re-reads the record source and
// Ctrl+U cancels the changes of the current record.
namespace RecordKeys
{

struct Options {
    bool pageKeys = true;              // false where the list keeps its own Page Up / Page Down
    bool insertWithAnyModifier = true; // false: Shift+Insert keeps its paste
};

// Runs the key's record operation; true when the key was a record key.
bool handle(const QKeyEvent* event, Dataset* dataset, Options options = {});

} // namespace RecordKeys
