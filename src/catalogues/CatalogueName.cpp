#include "catalogues/CatalogueName.h"

#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"

void copyCatalogueName(Dataset& document, const CatalogueNameCopy& copy, const QVariant& code)
{
    if (code.isNull() || code.toString().isEmpty()) {
        document.setValue(copy.copyField, QVariant());
        return;
    }
    const QSqlDatabase db = Connection::database();
    const QVariant name = Sql::scalar(
        db,
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = :code")
            .arg(Sql::name(db, copy.nameField), Sql::name(db, copy.table), Sql::name(db, copy.codeField)),
        {{QStringLiteral(":code"), code}});
    if (!name.isValid()) {
        dialogs().warning(copy.unknownCodeStart + code.toString() +
                          QStringLiteral("> nu figureaza în catalog. ") +
                          QStringLiteral("Apasati Ctrl-Enter pentru a selecta din catalog !"));
        document.setValue(copy.copyField, QVariant());
        throw SilentAbort();
    }
    document.setValue(copy.copyField, name);
}
