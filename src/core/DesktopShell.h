#pragma once

#include <QString>

// The desktop's "open with the associated program" for files and web
// addresses; tests put a fake in its place.
class DesktopShell
{
public:
    virtual ~DesktopShell() = default;
    // False when the desktop could not open it.
    virtual bool open(const QString& target) = 0;
};

DesktopShell& desktopShell();
// Installs another shell (the caller keeps ownership); nullptr restores the real one.
void setDesktopShell(DesktopShell* replacement);
