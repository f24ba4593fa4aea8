#pragma once

#include <QString>

// What the publisher's version file says about the running release.
enum class UpdateVerdict {
    Unreadable,  // not a release number of seven characters
    UpToDate,    // the running release is the latest or newer
    NewerRelease // the publisher offers a newer release
};

// The version file holds the latest release as exactly seven characters
// ("2.6.5.0"). The two texts are compared character by character by
// character code, so "2.6.4.0" is older than "3.0.0.0" and newer than "2.5.9.9".
UpdateVerdict decideUpdate(const QString& versionFileBody, const QString& runningVersion);
