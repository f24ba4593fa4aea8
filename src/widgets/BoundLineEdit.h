#pragma once

#include <QLineEdit>

class Dataset;
class FieldLink;

// A one-line input bound to a field: the common part of the text and date
// inputs. Typing puts the record into editing; leaving the input writes its
// text into the field, and a text the field refuses keeps the focus here,
// selected, with the field's error shown.
class BoundLineEdit : public QLineEdit {
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

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // Moves the focus along the window's tab order.
    void focusNext() { focusNextPrevChild(true); }
    void focusPrevious() { focusNextPrevChild(false); }

    FieldLink* m_link;
};
