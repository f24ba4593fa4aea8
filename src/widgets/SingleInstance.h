#pragma once

#include <QPointer>
#include <QWidget>

// Puts a window in front of the user: shown, restored when minimised, raised
// and made the active window.
void bringToFront(QWidget* window);

// The one instance of a modeless window (a catalogue or a document window).
// The first show() creates the window, marks it to be freed when closed and
// shows it; a later show() brings the same window forward, restored if it was
// minimised. Closing the window frees it and clears the reference, so the
// next show() creates a new one.
//
//     static SingleInstance<TVenituriFrm> venituri;
//     venituri.show([&] { return new TVenituriFrm(mainWindow); });
template <class Window> class SingleInstance
{
public:
    // The window, created by `create` (which returns a new, not yet shown window) when none exists.
    template <class Create> Window* show(Create&& create)
    {
        // A closed window waits for its deletion with the close flag already taken off by Qt:
        // it is gone for the user, so a new one is made.
        if (!m_window || !m_window->testAttribute(Qt::WA_DeleteOnClose)) {
            m_window = create();
            m_window->setAttribute(Qt::WA_DeleteOnClose);
        }
        bringToFront(m_window);
        return m_window;
    }

    // The window until it is closed, nullptr otherwise.
    Window* instance() const
    {
        return m_window && m_window->testAttribute(Qt::WA_DeleteOnClose) ? m_window.data() : nullptr;
    }

private:
    QPointer<Window> m_window;
};
