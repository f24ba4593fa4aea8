#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

// Every file and folder under `folder`, by its relative path, with a file's
// bytes ("<dir>" for a folder): two snapshots compare equal when nothing in
// the folder changed.
QMap<QString, QByteArray> folderContents(const QString& folder);
