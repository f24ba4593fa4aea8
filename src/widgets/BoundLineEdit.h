#pragma once

#include <QLineEdit>
#include <functional>

class Dataset;
class FieldLink;

// A one-line input bound to a field: the common part of the text and date
// inputs. Typing puts the record into editing; leaving the input writes its
// text into the field, and a text the field refuses keeps the focus here,
// selected, with the field's error shown.
class BoundLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit BoundLineEdit(QWidget* parent = nullptr);

    virtual void bind(Dataset* dataset, const QString& field);
    Dataset* dataset() const;
    QString field() const;
    FieldLink* link() const { return m_link; }

    // Writes the typed text into the field; shows the error and returns false
    // when the field refuses it.
    bool commitText();

    // Ctrl+Enter or a double-click runs the picker (usually a selection
    // window that sets the field); without one they keep their ordinary meaning.
    void setPicker(std::function<void()> picker) { m_picker = std::move(picker); }

Q_SIGNALS:
    // The focus went to another control of the window and the text was
    // taken (not sent when a refused text keeps the focus here, nor when a
    // popup or another window takes the focus for a while).
    void left();

protected:
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Moves the focus along the window's tab order.
    void focusNext() { focusNextPrevChild(true); }
    void focusPrevious() { focusNextPrevChild(false); }

    FieldLink* m_link;

private:
    std::function<void()> m_picker;
};
