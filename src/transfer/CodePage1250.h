#pragma once

#include <QByteArray>
#include <QString>

// Texts of the older table files are stored in the Central European code
// page 1250; the program keeps them in Unicode. The cedilla letters ş ţ Ş Ţ
// of that code page stay those letters.
namespace CodePage1250
{

QString decode(const char* bytes, int length);
// Characters the code page lacks become '?'.
QByteArray encode(const QString& text);

} // namespace CodePage1250
