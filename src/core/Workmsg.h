#pragma once

#include <QWidget>

class QLabel;

// The work-message window: borderless, centred on the screen, a white bold
// text on the title colour with a small icon at its right edge.
class TMessageForm : public QWidget
{
    Q_OBJECT
public:
    explicit TMessageForm(QWidget* owner);

    // Shows the text, widening the window (up to the screen's width) when
    // the text does not fit.
    void setMessage(const QString& text);
    QString message() const;
    int baseWidth() const { return m_baseWidth; }

private:
    QLabel* m_text;
    QLabel* m_icon;
    int m_baseWidth;
};

// Shows the work message. The window is created once and stays until the
// program ends; a later call leaves its text as it is.
void ShowWorkMessage(QWidget* owner, const QString& text);

// The window, once created (for tests).
TMessageForm* workMessageWindow();
