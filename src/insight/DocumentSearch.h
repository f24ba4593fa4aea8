#pragma once

#include "db/DocumentSearchIndex.h"

#include <QDate>
#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <optional>

using DocumentKind = DocumentSearchIndex::DocumentKind;

// What the user asks of the documents: words, and the filters beside them.
struct SearchCriteria {
    // Words matched, each as the start of a word, against the explanation,
    // beneficiary, parishioner's name and type name; case and diacritics do not count.
    QString text;
    std::optional<QDate> from, to;
    std::optional<double> minAmount, maxAmount; // both the same for an exact amount
    QString account;                            // "Casa", "Banca"; empty: both
    QSet<DocumentKind> kinds;                   // empty: every kind
    std::optional<int> typeCode;                // an income or expense type's code
    // At most this many documents, read as they come (not ordered); 0: all, ordered.
    int limit = 0;
};

// One document found. A salary order's amount is the sum of its lines (of the
// type asked, when a type code is asked).
struct FoundDocument {
    int year = 0;
    DocumentKind kind = DocumentKind::Income;
    qint64 id = 0; // the document's row identity (a salary order's Id)
    double number = 0;
    QDate date;
    std::optional<int> typeCode;
    QString typeName;
    QString name;
    QString explanation;
    double amount = 0;
    QString account;
};

// The word a kind of document is shown with: "Incasare", "Plata", ...
QString kindWord(DocumentKind kind);

// The full-text query of typed words: each a quoted prefix ("stef"*), all
// required; empty when the text holds no word.
QString fullTextQuery(const QString& text);

// The documents of one year's database matching the criteria, ordered by
// date, kind and number (unless limited). The database has its search index
// (DocumentSearchIndex::ensure or ensureForReading). Throws DbError.
QList<FoundDocument> searchDocuments(const QSqlDatabase& db, int year, const SearchCriteria& criteria);

// The same order for documents gathered from several years.
void sortFoundDocuments(QList<FoundDocument>& documents);
