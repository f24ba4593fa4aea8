#include "widgets/Linklab.h"

#include "core/DesktopShell.h"

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent) {}

QString TLinkLabel::prefix(URLType type)
{
    static const char* const prefixes[] = {"file://", "ftp://", "gopher://", "http://", "https://",
                                           "mailto:", "news:",  "telnet:",   "wais:"};
    return QString::fromLatin1(prefixes[type]);
}

QString TLinkLabel::target() const
{
    const QString what = url.isEmpty() ? text() : url;
    return urlTypeAdd ? prefix(urlType) + what : what;
}

bool TLinkLabel::open() const
{
    if ((text().isEmpty() && url.isEmpty()) || !urlEnabled)
        return false;
    return desktopShell().open(target());
}

bool OpenDocument(TLinkLabel::URLType type, const QString& target)
{
    TLinkLabel link;
    link.urlType = type;
    link.url = target;
    return link.open();
}
