#include "catalogues/NameSearch.h"

#include "db/RomanianCollation.h"

QString withoutDiacritics(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString plain;
    plain.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            plain += c;
    return plain.toLower();
}

int findNameStartingWith(int count, const std::function<QString(int row)>& nameOf, const QString& typed)
{
    if (typed.isEmpty())
        return -1;
    for (int row = 0; row < count; ++row) {
        const QString name = nameOf(row);
        if (name.size() >= typed.size() && compareRomanian(QStringView(name).left(typed.size()), typed) == 0)
            return row;
    }
    const QString plainTyped = withoutDiacritics(typed);
    for (int row = 0; row < count; ++row)
        if (withoutDiacritics(nameOf(row)).startsWith(plainTyped))
            return row;
    return -1;
}
