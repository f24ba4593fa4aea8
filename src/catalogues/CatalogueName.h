#pragma once

#include <QString>
#include <QVariant>

class Dataset;

// Where a document copies a name from: the catalogue's table, its code and
// name fields, the document's field that holds the copy, and the start of
// the warning on an unknown code ("Codul de venit <", "Enoriasul <").
struct CatalogueNameCopy {
    QString table;
    QString codeField;
    QString nameField = QStringLiteral("Denumire");
    QString copyField;
    QString unknownCodeStart;
};

// Copies into the document the name of the catalogue row with `code`; no
// code clears the copy. An unknown code clears it too, warns
// "<start><code>> nu figureaza în catalog. Apasati Ctrl-Enter pentru a
// selecta din catalog !" and throws SilentAbort. Throws DbError.
void copyCatalogueName(Dataset& document, const CatalogueNameCopy& copy, const QVariant& code);
