#include "SmallDisk.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#include <vector>

SmallDisk::SmallDisk(qint64 bytes)
{
    const QByteArray options = "size=" + QByteArray::number(bytes);
    if (::mount("tmpfs", QFile::encodeName(path()).constData(), "tmpfs", 0, options.constData()) == 0)
        m_mounted = true;
    else
        m_whyNot =
            QStringLiteral("cannot mount a tmpfs here: %1").arg(QString::fromLocal8Bit(strerror(errno)));
}

SmallDisk::~SmallDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}

void SmallDisk::fill()
{
    const int fd = ::open(QFile::encodeName(fillerFile()).constData(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0)
        return;
    const std::vector<char> block(1 << 16, 'x');
    // Ever smaller blocks fill the last partial page as well.
    for (size_t size = block.size(); size > 0; size /= 2)
        while (::write(fd, block.data(), size) == ssize_t(size)) {
        }
    ::close(fd);
}

void SmallDisk::makeRoom()
{
    QFile::remove(fillerFile());
}
