#pragma once

#include <QString>
#include <QTemporaryDir>

// A folder filled under a temporary name beside its final place and renamed
// into place only when complete: a copy that fails halfway leaves no folder
// that could pass for a whole one (a daily backup's day folder, for one,
// marks the day as saved by merely existing).
class StagedFolder
{
public:
    // Creates the temporary folder, and the final folder's parents; removes
    // the temporary folders that earlier copies to the same place left. Throws IoError.
    explicit StagedFolder(const QString& finalPath);
    // Removes the temporary folder with what it holds, unless committed.
    ~StagedFolder() = default;
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    // Where to copy into until commit().
    QString path() const { return m_temporary.path(); }
    QString finalPath() const { return m_finalPath; }

    // Renames the folder into its final place. Throws IoError when that name
    // is taken meanwhile or the rename fails; the temporary folder then goes.
    void commit();

private:
    QString m_finalPath;
    QTemporaryDir m_temporary;
};
