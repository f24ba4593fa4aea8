#pragma once

#include <QString>

// The two commands on a family's personal data, shared by the parishioners
// catalogue and the family sheet window; every refusal and failure is told
// through dialogs().
namespace PersonalDataCommands
{

// The buttons' captions, with their Alt accelerators (P, N).
inline const QString exportCaption = QStringLiteral("Date &personale...");
inline const QString anonymiseCaption = QStringLiteral("A&nonimizare...");

// "Date personale...": asks where to save the JSON file and writes it, with
// the PDF of the same name beside it.
void exportData(const QString& code);

// "Anonimizare...": refuses a family with a receipt in the locked period,
// asks twice (the second question says it cannot be undone), then
// anonymises. True when it did.
bool anonymise(const QString& code);

} // namespace PersonalDataCommands
