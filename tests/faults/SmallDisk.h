#pragma once

#include <QString>
#include <QTemporaryDir>

// A size-limited memory disk mounted for one test, standing for a disk that
// fills up; unmounted when the object goes. Mounting needs the right to mount:
// where it is missing, mounted() is false and whyNotMounted() says why.
class SmallDisk
{
public:
    explicit SmallDisk(qint64 bytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString whyNotMounted() const { return m_whyNot; }
    QString path() const { return m_mountPoint.path(); }

    // Writes a filler file until the disk refuses even one more byte.
    void fill();
    // Removes the filler: the space taken by fill() is free again.
    void makeRoom();

private:
    QString fillerFile() const { return path() + QStringLiteral("/.umplutura"); }

    QTemporaryDir m_mountPoint;
    bool m_mounted = false;
    QString m_whyNot;
};
