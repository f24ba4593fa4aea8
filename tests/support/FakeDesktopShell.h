#pragma once

#include "core/DesktopShell.h"

#include <QStringList>

// Stands in for the desktop while it lives: records what the program asked
// to open and accepts or refuses it.
class FakeDesktopShell : public DesktopShell
{
public:
    FakeDesktopShell() { setDesktopShell(this); }
    ~FakeDesktopShell() override { setDesktopShell(nullptr); }
    FakeDesktopShell(const FakeDesktopShell&) = delete;
    FakeDesktopShell& operator=(const FakeDesktopShell&) = delete;

    bool open(const QString& target) override
    {
        opened << target;
        return accepts;
    }

    QStringList opened;
    bool accepts = true;
};
