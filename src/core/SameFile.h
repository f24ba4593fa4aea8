#pragma once

#include <QString>

// True when both names reach one existing file: the same path, another
// spelling of it ("a/./b", "a/x/../b"), a symbolic or a hard link. Copying a
// file onto itself would empty it, so copies ask this first.
bool isSameFile(const QString& a, const QString& b);
