#pragma once

#include <QLineEdit>
#include <QStringList>

// The one cell editor of the record grid, for fields of every type: a line
// edit holding the field's edit text. It knows whether the user has typed
// over the text it was given, so that only typing is written back and
// Escape can undo it. A column with a pick list offers its values: Alt+Down
// or F4 drops the whole list down, in which Up and Down choose and Enter takes
// the value chosen; typing shows the values that begin with the typed text,
// as a suggestion only. Either list closes on Escape, and on the grid's keys
// (Enter with no value chosen, Tab, Right, Left, and for a suggestion also
// Up, Down, Page Up, Page Down), which then act as in any other cell, on the
// text as typed. A date cell
// is typed through the date inputs' mask: digits overwrite the date in
// place and the separator steps past its place.
class GridCellEditor : public QLineEdit
{
    Q_OBJECT
public:
    explicit GridCellEditor(QWidget* parent = nullptr);

    // Shows a field's text, dropping any typing; the caret goes to the start
    // of a masked text and to the end of any other.
    void showFieldText(const QString& text);
    QString fieldText() const { return m_fieldText; }
    // Compared with what the editor showed, not with the field's text: an
    // empty masked date reads as its separators alone.
    bool hasTyping() const { return text() != m_shownText; }
    void undoTyping() { showFieldText(m_fieldText); }
    // Without a selection: the caret at the start of a masked text, at the end of any other.
    void placeCaret();
    bool isAllSelected() const;
    bool isCaretAtEnd() const;

    void setDateInput();
    bool isDateInput() const { return !inputMask().isEmpty(); }

    void setPickList(const QStringList& values);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showWholePickList();
    // A key pressed while the pick list is open: true when it closed the list
    // and went on to the editor (and so to the grid).
    bool passKeyPastPickList(QKeyEvent* event);

    bool m_pickListAsked = false; // the list was dropped down by its key, not shown by the typing
    QString m_fieldText;
    QString m_shownText; // text() right after the field's text was shown
};
