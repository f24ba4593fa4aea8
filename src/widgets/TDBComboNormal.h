#pragma once

#include <QComboBox>

class Dataset;
class FieldLink;

// Drop-down list input bound to one field; the text may also be typed.
// Enter moves to the next input; the arrow and page keys keep their list
// meaning; Insert, Ctrl+Delete, Ctrl+R and Ctrl+U work on the record.
// setEditable(false) makes it a list-only drop-down: only its items can be chosen.
class TDBComboNormal : public QComboBox
{
    Q_OBJECT
public:
    explicit TDBComboNormal(QWidget* parent = nullptr);

    void bind(Dataset* dataset, const QString& field);
    Dataset* dataset() const;
    FieldLink* link() const { return m_link; }
    // Writes the text into the field; shows the error and returns false when refused.
    bool commitText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool handleKey(QKeyEvent* event);

    FieldLink* m_link;
    bool m_showing = false;
};
