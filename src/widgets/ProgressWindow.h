#pragma once

#include "core/Progress.h"

#include <QWidget>

class QProgressBar;

// The small progress window of a long computation: the computation's caption
// as its title, no system buttons, centred on the screen, holding one bar
// from 0 to the computation's total. It is not modal: the work runs on the
// user-interface thread, and the bar repaints itself at once on every step
// that changes it, since no event loop runs until the work ends.
//
//     ProgressWindow progress(owner);
//     CalculRegistru(db, progress);   // start(), step()..., finish()
class ProgressWindow : public QWidget, public Progress
{
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* owner = nullptr);

    void start(const QString& caption, int total) override;
    void step(int done) override;
    // Hides the window; it can be started again.
    void finish() override;

    QProgressBar* bar() const { return m_bar; }

private:
    QProgressBar* m_bar;
};
