#pragma once

#include "core/UserError.h"

#include <QString>
#include <array>
#include <optional>
#include <stdexcept>

// Small services shared by the whole program.

// An input/output failure, with its message.
class IoError : public UserError
{
public:
    using UserError::UserError;
};

// The separator that ends folder names in the program's paths.
constexpr QChar pathSeparator()
{
#ifdef Q_OS_WIN
    return QLatin1Char('\\');
#else
    return QLatin1Char('/');
#endif
}

// 1-based position of the last occurrence of `pattern` in `text`, case-sensitive;
// 0 when there is none or the pattern is longer than the text.
int LastPos(const QString& pattern, const QString& text);

// The path with exactly one trailing separator added when it has none.
QString WithBackslash(const QString& path);

// Creates the folder and its missing parents. A failure is not reported here:
// the caller notices it when it writes into the folder.
void ForceFolder(const QString& path);

// Copies one file, replacing the target; throws IoError with the fixed messages.
// A target that is the source itself (under another spelling or through a link) is
// refused as a destination that cannot be opened, and the file is left intact.
// A copy that fails half-way leaves no partial file and the older target intact.
void CopyFileChecked(const QString& source, const QString& target);

using ProgramVersion = std::array<int, 4>;

// The program's version: major, minor, release, build.
std::optional<ProgramVersion> ReadProgramVersion();
// The same, read from a version text "2.6.4.0"; empty unless it has four numbers.
std::optional<ProgramVersion> parseProgramVersion(const QString& text);
// "2.6.4.0", or "0.0.0.0" when there is no version.
QString formatRunningVersion(const std::optional<ProgramVersion>& version);
