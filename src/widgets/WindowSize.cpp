#include "widgets/WindowSize.h"

#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "core/UserError.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace
{

const QString section = QStringLiteral("Ferestre");

QString optionsFile()
{
    return programFolder() + ProgramOptions::fileName;
}

QSize screenRoom(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().size() : QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

// Writes the window's size when it is hidden (closed) at another size than it opened with.
class SizeKeeper : public QObject
{
public:
    SizeKeeper(QWidget* window) : QObject(window), m_window(window), m_opened(window->size())
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Hide && !m_window->isMinimized() &&
            m_window->size() != m_opened) {
            m_opened = m_window->size();
            try {
                IniFile file(optionsFile());
                file.writeString(section, m_window->objectName(),
                                 QStringLiteral("%1,%2").arg(m_opened.width()).arg(m_opened.height()));
                file.save();
            } catch (const UserError&) {
                // A size not written only means the window opens at its own size next time.
            }
        }
        return false;
    }

private:
    QWidget* m_window;
    QSize m_opened;
};

} // namespace

void keepWindowSize(QWidget* window)
{
    const QStringList kept =
        IniFile(optionsFile()).readString(section, window->objectName()).split(QLatin1Char(','));
    bool wideOk = false, highOk = false;
    const int width = kept.size() == 2 ? kept[0].trimmed().toInt(&wideOk) : 0;
    const int height = kept.size() == 2 ? kept[1].trimmed().toInt(&highOk) : 0;
    QSize size = wideOk && highOk && width > 0 && height > 0 ? QSize(width, height) : window->size();
    window->resize(size.boundedTo(screenRoom(window)).expandedTo(window->minimumSizeHint()));
    new SizeKeeper(window);
}
