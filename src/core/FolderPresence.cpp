#include "core/FolderPresence.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace FolderPresence
{
namespace
{

struct Presence {
    QString folder;
    int descriptor = -1;
};

Presence& presence()
{
    static Presence held;
    return held;
}

QString canonical(const QString& folder)
{
    const QString path = QFileInfo(folder).canonicalFilePath();
    return path.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : path;
}

#ifdef Q_OS_UNIX
// The folder itself is locked (flock on its descriptor): no file of its own to copy or leave behind.
int openFolder(const QString& folder)
{
    return ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}
#endif

} // namespace

void enter(const QString& programFolder)
{
#ifdef Q_OS_UNIX
    Presence& held = presence();
    const QString folder = canonical(programFolder);
    if (held.descriptor >= 0 && held.folder == folder)
        return;
    if (held.descriptor >= 0)
        ::close(held.descriptor);
    held.descriptor = openFolder(folder);
    held.folder = folder;
    if (held.descriptor >= 0)
        ::flock(held.descriptor, LOCK_SH);
#else
    Q_UNUSED(programFolder);
#endif
}

Alone::Alone(const QString& programFolder)
{
#ifdef Q_OS_UNIX
    Presence& held = presence();
    const QString folder = canonical(programFolder);
    if (held.descriptor >= 0 && held.folder == folder) {
        m_descriptor = held.descriptor;
    } else {
        m_descriptor = openFolder(folder);
        m_ownDescriptor = true;
    }
    // A folder that cannot be opened has no other run to wait for.
    m_granted = m_descriptor < 0 || ::flock(m_descriptor, LOCK_EX | LOCK_NB) == 0;
    if (!m_granted && !m_ownDescriptor)
        ::flock(m_descriptor, LOCK_SH); // the conversion of our shared lock failed: keep it
#else
    Q_UNUSED(programFolder);
    m_granted = true;
#endif
}

Alone::~Alone()
{
#ifdef Q_OS_UNIX
    if (m_descriptor < 0)
        return;
    if (m_ownDescriptor)
        ::close(m_descriptor);
    else if (m_granted)
        ::flock(m_descriptor, LOCK_SH);
#endif
}

QString otherRunMessage()
{
    return QStringLiteral("Datele parohiei sunt deschise si in alta fereastra a programului (sau de alt utilizator "
                          "al calculatorului). Inchideti-o si repetati operatia.");
}

} // namespace FolderPresence
