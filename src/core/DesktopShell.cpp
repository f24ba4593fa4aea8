#include "core/DesktopShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace
{

class QtDesktopShell : public DesktopShell
{
public:
    bool open(const QString& target) override
    {
        const QUrl url = target.contains(QLatin1String("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
        return QDesktopServices::openUrl(url);
    }
};

DesktopShell* installedShell = nullptr;

} // namespace

DesktopShell& desktopShell()
{
    static QtDesktopShell real;
    return installedShell ? *installedShell : real;
}

void setDesktopShell(DesktopShell* replacement)
{
    installedShell = replacement;
}
