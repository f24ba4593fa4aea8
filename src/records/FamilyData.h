#pragma once

#include <QDate>
#include <QList>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// What the parish holds about one family (a parishioner's code): the
// catalogue's row, the names of its people, and the receipts that carry its
// code or one of these names (as the parishioner's name or in the
// explanation). Read for the export of a person's data and for the
// anonymisation.
struct FamilyData {
    QString code;
    QString name; // the catalogue's
    // The catalogue's name and the names of its people in the records (the
    // members, the baptised child, the couple, the deceased) of two words or
    // more, each once.
    QStringList names;
    struct Receipt {
        qint64 rowid = 0;
        QDate date;
        // Its code or one of its names as the parishioner's; otherwise it only
        // names one of them in its explanation (another family's receipt).
        bool isFamilys = true;
    };
    QList<Receipt> receipts;

    // Whether a text is one of the names (any case, spaces ignored around and doubled).
    bool isName(const QString& text) const;
    // Whether a text holds one of the names as whole words.
    bool mentions(const QString& text) const;
    // The text with every name in it replaced.
    QString withNamesReplaced(const QString& text, const QString& replacement) const;

    // Throws DbError "Codul ... nu exista ..." when no parishioner has the code.
    static FamilyData read(const QSqlDatabase& db, const QString& code);

private:
    QRegularExpression m_pattern; // any of the names, as whole words
};
