#pragma once

#include <QLineEdit>
#include <QStringList>

// The one cell editor of the record grid, for fields of every type: a line
// edit holding the field's edit text. It knows whether the user has typed
// over the text it was given, so that only typing is written back and
// Escape can undo it. A column with a pick list offers its values as a
// drop-down completion (Alt+Down or F4 shows the whole list).
class GridCellEditor : public QLineEdit
{
    Q_OBJECT
public:
    explicit GridCellEditor(QWidget* parent = nullptr);

    // Shows a field's text, dropping any typing; the caret goes to the end.
    void showFieldText(const QString& text);
    QString fieldText() const { return m_fieldText; }
    bool hasTyping() const { return text() != m_fieldText; }
    void undoTyping() { showFieldText(m_fieldText); }

    void setPickList(const QStringList& values);
    bool isPickListShown() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showWholePickList();

    QString m_fieldText;
};
