#include "insight/FoundDocumentOpener.h"

#include "core/UserDialogs.h"
#include "db/DatabaseLocation.h"
#include "insight/SearchedYears.h"
#include "operations/TBankMovementFrm.h"
#include "operations/TCheltSalFrm.h"
#include "operations/TCheltuieliFrm.h"
#include "operations/TVenituriFrm.h"

#include <QFileInfo>

namespace
{

DocumentWindow* showWindowOf(DocumentKind kind, QWidget* owner)
{
    switch (kind) {
    case DocumentKind::Income:
        return showDocumentWindow<TVenituriFrm>(owner);
    case DocumentKind::Payment:
        return showDocumentWindow<TCheltuieliFrm>(owner);
    case DocumentKind::Deposit:
        return showDocumentWindow<TDepuneriFrm>(owner);
    case DocumentKind::Withdrawal:
        return showDocumentWindow<TRidicariFrm>(owner);
    case DocumentKind::SalaryOrder:
        return showDocumentWindow<TCheltSalFrm>(owner);
    }
    return nullptr;
}

bool moveToYearOf(const FoundDocument& document)
{
    DatabaseLocation& location = DatabaseLocation::instance();
    // A closed year has its year folder; the working year has none.
    const bool working =
        !QFileInfo::exists(DatabaseLocation::yearFolder(document.year) + DatabaseLocation::databaseFileName);
    const QString question =
        working
            ? QStringLiteral("Documentul este din anul de lucru %1. Programul trece inapoi pe anul %1 si "
                             "deschide documentul?")
            : QStringLiteral("Documentul este din anul inchis %1. Programul trece pe anul %1 (datele lui se "
                             "pot doar consulta) si deschide documentul?");
    if (!dialogs().question(question.arg(document.year)))
        return false;
    const DatabaseLocation::SwitchResult result =
        location.switchToYear(QString::number(document.year), working);
    if (!result.ok) {
        dialogs().warning(result.message);
        return false;
    }
    return true;
}

} // namespace

bool openFoundDocument(const FoundDocument& document, QWidget* owner)
{
    if (document.year != SearchedYears::currentYear() && !moveToYearOf(document))
        return false;
    DocumentWindow* window = showWindowOf(document.kind, owner);
    if (!window)
        return false;
    if (!window->document()->locateRowId(document.id)) {
        dialogs().warning(QStringLiteral("Documentul nr. %1 din %2 nu mai exista (a fost sters intre timp).")
                              .arg(document.number)
                              .arg(document.date.toString(QStringLiteral("dd.MM.yyyy"))));
        return false;
    }
    return true;
}
