#pragma once

#include <QLabel>

// A label that hands its target (a web address, a file) to the desktop to be
// opened with its usual program; the kind of target gives the prefix.
class TLinkLabel : public QLabel
{
    Q_OBJECT
public:
    enum URLType { utFile, utFtp, utGopher, utHttp, utHttps, utMailto, utNews, utTelnet, utWais };

    explicit TLinkLabel(QWidget* parent = nullptr);

    static QString prefix(URLType type);

    URLType urlType = utMailto;
    QString url;            // the target without prefix; empty: the caption is used
    bool urlTypeAdd = true; // put the prefix in front of the target
    bool urlEnabled = true;

    // The target as it is handed to the desktop.
    QString target() const;
    // Opens the target; false when there is none, opening is disabled, or the desktop refused it.
    bool open() const;
};

// Opens a web page (http) or a file of the program folder (file) with the
// desktop's program for it; false when that failed.
bool OpenDocument(TLinkLabel::URLType type, const QString& target);
