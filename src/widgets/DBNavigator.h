#pragma once

#include <QFlags>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

class Dataset;
class QToolButton;

// The record navigator of the catalogue and document windows: a row of small
// buttons over a Dataset.
//
// - Each window chooses its buttons (setButtons) and names them in its own
//   words (setHint) or in one of the program's wordings (setHints): the hint
//   becomes the button's tool tip, status tip and accessible name. Without
//   a window's words the buttons read "Primul", "Anterior", "Urmator",
//   "Ultimul", "Adauga", "Sterge", "Modifica", "Salveaza", "Renunta",
//   "Reincarca".
// - The buttons follow the dataset: First and Prior are off on the first
//   record, Next and Last on the last, Edit while editing, Post and Cancel
//   while browsing, Delete on an empty dataset, all of them on a closed one.
// - Delete first asks the grid's question "Delete record?" (the window may
//   turn it off when its own delete event asks a question of its own).
// - Every operation runs guarded: a store failure reaches the general error
//   box, and a data event that refuses shows its own message. Nothing fails
//   without the user being told.
class TDBNavigator : public QWidget
{
    Q_OBJECT
public:
    enum Button {
        First = 0x001,
        Prior = 0x002,
        Next = 0x004,
        Last = 0x008,
        Insert = 0x010,
        Delete = 0x020,
        Edit = 0x040,
        Post = 0x080,
        Cancel = 0x100,
        Refresh = 0x200,
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    static constexpr Buttons allButtons()
    {
        return Buttons(First | Prior | Next | Last | Insert | Delete | Edit | Post | Cancel | Refresh);
    }

    explicit TDBNavigator(QWidget* parent = nullptr);

    void bind(Dataset* dataset);
    Dataset* dataset() const { return m_dataset; }

    // The buttons shown, in the fixed order of the enumeration.
    void setButtons(Buttons buttons);
    Buttons buttons() const { return m_visible; }

    void setHint(Button button, const QString& hint);
    QString hint(Button button) const;
    static QString defaultHint(Button button);

    // The program's wordings of the buttons' hints.
    enum class Hints {
        Records,   // the lists: "Prima inregistrare", "Inregistrarea precedenta" ... "Actualizeaza
                   // inregistrari"
        Documents, // the document windows: "Primul document", "Precedentul document" ... "Actualizeaza
                   // datele"
    };
    // Names the buttons in one of the wordings; a button it leaves out keeps its hint.
    void setHints(Hints hints);

    // The buttons shown, in their order.
    QList<QToolButton*> shownButtons() const;

    void setConfirmDelete(bool confirm) { m_confirmDelete = confirm; }

    // The button itself (for focus chains and tests).
    QToolButton* button(Button button) const { return m_buttons.value(button); }

    // Runs the button's operation as a click does.
    void press(Button button);

Q_SIGNALS:
    // After the button's operation has run (also when it was refused).
    void clicked(TDBNavigator::Button button);

private:
    void updateButtons();

    QPointer<Dataset> m_dataset;
    QHash<Button, QToolButton*> m_buttons;
    Buttons m_visible = allButtons();
    bool m_confirmDelete = true;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TDBNavigator::Buttons)
