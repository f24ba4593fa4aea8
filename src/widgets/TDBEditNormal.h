#pragma once

#include "widgets/BoundLineEdit.h"

// Text input bound to one field, with the data-entry keys: Enter and Down
// move to the next input, Up to the previous one, Page Up / Page Down move
// between records, Insert, Ctrl+Delete, Ctrl+R and Ctrl+U work on the record.
// It sets no length limit of its own: a text longer than its field, typed or
// pasted, stays whole and is refused on leaving, never cut short unseen.
class TDBEditNormal : public BoundLineEdit
{
    Q_OBJECT
public:
    explicit TDBEditNormal(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
