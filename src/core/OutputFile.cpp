#include "core/OutputFile.h"

#include <QFileInfo>

OutputFile::OutputFile(const QString& filePath)
{
    const QFileInfo target(filePath);
    if (target.exists() && !target.isFile() && !target.isDir())
        m_direct = std::make_unique<QFile>(filePath);
    else
        m_whole = std::make_unique<QSaveFile>(filePath);
}

bool OutputFile::open()
{
    return device()->open(QIODevice::WriteOnly);
}

QIODevice* OutputFile::device()
{
    return m_whole ? static_cast<QIODevice*>(m_whole.get()) : m_direct.get();
}

bool OutputFile::commit()
{
    if (m_whole)
        return m_whole->commit();
    m_direct->close();
    return m_direct->error() == QFileDevice::NoError;
}

QString OutputFile::errorString() const
{
    return m_whole ? m_whole->errorString() : m_direct->errorString();
}
