#include "records/RecordColumns.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"
#include "printing/RuledColumns.h"

#include <vector>

namespace
{

using Content = RecordColumn::Content;

RecordColumn counter()
{
    return {.caption = QStringLiteral("Nr crt."),
            .name = QStringLiteral("Nr crt."),
            .content = Content::Counter,
            .width = 10};
}

RecordColumn act()
{
    const QString caption = QStringLiteral("Numarul si data actului");
    return {.caption = caption,
            .name = caption,
            .field = QStringLiteral("Data"),
            .content = Content::Act,
            .width = 30};
}

// In `caption` a '|' marks where the printed caption breaks a word with a
// hyphen; a hyphen of the words themselves ("s-a") stays in the name too.
RecordColumn text(const char* caption, const char* field, double width)
{
    QString printed = QString::fromUtf8(caption);
    QString name = printed;
    printed.replace(QLatin1Char('|'), QLatin1Char('-'));
    name.remove(QLatin1Char('|'));
    return {.caption = printed,
            .name = name.trimmed(),
            .field = QString::fromUtf8(field),
            .content = Content::Text,
            .width = width};
}

QList<double> edgesOf(const QList<RecordColumn>& columns, double width)
{
    std::vector<double> designed;
    for (const RecordColumn& c : columns)
        designed.push_back(c.width);
    return RuledColumns::edges(designed, width);
}

QRectF cellRect(const QList<double>& edges, int column, double top, double height)
{
    return RuledColumns::cell(edges, column, column, top, height);
}

QString valueText(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return FieldFormat::formatNumber(value.toDouble(), QString());
    case QMetaType::QDate:
        return DateFormat::toShortText(value.toDate());
    default:
        return value.toString();
    }
}

constexpr double lineHeight = 5;

} // namespace

namespace RecordColumns
{

const QList<RecordColumn>& members()
{
    static const QList<RecordColumn> columns{
        counter(),
        text("Numele si prenumele", "Numele", 60),
        text("Data nasterii", "Data_nasterii", 20),
        text("Data casatoriei", "Data_casatoriei", 20),
        text("Data mortii", "Data_mortii", 20),
        text("Starea civila", "Starea_civila", 25),
        text("Confesiunea", "Religia", 30),
        text("Ocupatia", "Ocupatia", 30),
        text("Observatii", "Observatii", 52),
    };
    return columns;
}

const QList<RecordColumn>& baptisms()
{
    static const QList<RecordColumn> columns{
        counter(),
        act(),
        text("Data naste|rii pruncului", "Data_nasterii", 18),
        text("Data botezului", "Data_botezului", 18),
        text("Numele dat la botez", "Nume_prunc", 30),
        text("Le|gitim", "Legitim", 7),
        text("Na|tural", "Natural", 7),
        text("Numele si prenumele parintilor", "Nume_parinti", 40),
        text("Numele si prenumele nasilor", "Nume_nasi", 40),
        text("Semnatura pre|otului oficiant", "Nume_preot", 30),
        text("Autorit care a elib. CN", "Autoritatea", 25),
        text("  Obser|vatii", "Observatii", 28),
    };
    return columns;
}

const QList<RecordColumn>& marriages()
{
    static const QList<RecordColumn> columns{
        counter(),
        act(),
        text("Numele si pre|numele mirelui", "Nume_mire", 40),
        text("Vars|ta", "Varsta_mire", 9),
        text("June sau vaduv", "Starea_mire", 15),
        text("Numele si pre|numele miresei", "Nume_mireasa", 40),
        text("Vars|ta", "Varsta_mireasa", 9),
        text("Juna sau vaduva", "Starea_mireasa", 15),
        text("Numele si prenumele nasilor", "Nume_nasi", 45),
        text("Semnatura pre|otului oficiant", "Nume_preot", 35),
        text("  Observatii", "Observatii", 40),
    };
    return columns;
}

const QList<RecordColumn>& burials()
{
    static const QList<RecordColumn> columns{
        counter(),
        act(),
        text("Numele si prenumele decedatului", "Nume_decedat", 40),
        text("Bar|bat", "Sex_M", 8),
        text("Fe|meie", "Sex_F", 8),
        text("Vars|ta", "Varsta", 9),
        text("Profesia", "Profesia", 25),
        text("Cauza incetarii din viata", "Cauza_mortii", 40),
        text("Semnatura preotului oficiant", "Nume_preot", 35),
        text("Data si locul unde s-a inmormantat", "Data_Loc_Inmorm", 40),
        text("  Observatii", "Observatii", 38),
    };
    return columns;
}

const QList<RecordColumn>& activities()
{
    static const QList<RecordColumn> columns{
        counter(),
        text("Data", "Data", 25),
        text("Observatii", "Explicatie", 252),
    };
    return columns;
}

QString LineCounter::next(int mainRow)
{
    if (m_restartsWithMainRow && mainRow != m_row) {
        m_row = mainRow;
        m_count = 0;
    }
    return FieldFormat::formatNumber(++m_count, QString()) + QLatin1Char('.');
}

ReportBand captionBand(const QList<RecordColumn>& columns, double width, const QFont& font, double top)
{
    constexpr double height = 12;
    const QList<double> edges = edgesOf(columns, width);
    ReportBand band;
    band.height = top + height;
    for (int i = 0; i < columns.size(); ++i) {
        ReportElement box;
        box.kind = ReportElement::Kind::Box;
        box.rect = QRectF(edges[i], top, edges[i + 1] - edges[i], height);
        band.add(box);
        ReportElement caption =
            ReportElement::label(cellRect(edges, i, top, height), columns[i].caption, Qt::AlignCenter)
                .withFont(font);
        caption.wrap = true;
        band.add(caption);
    }
    return band;
}

ReportBand lineBand(const QList<RecordColumn>& columns, double width, const QFont& font,
                    const std::shared_ptr<LineCounter>& counter)
{
    const QList<double> edges = edgesOf(columns, width);
    ReportBand band;
    band.height = lineHeight;
    band.ruled = true;
    band.ruleWidth = edges.last();
    band.rules = edges.mid(1, edges.size() - 2);
    for (int i = 0; i < columns.size(); ++i) {
        const RecordColumn& c = columns[i];
        const QRectF rect = cellRect(edges, i, 0, lineHeight);
        switch (c.content) {
        case Content::Counter: {
            ReportElement e =
                ReportElement::label(rect, {}, Qt::AlignRight | Qt::AlignVCenter).withFont(font);
            e.onPrint = [counter](const ReportContext& context, const QString&) {
                return counter->next(context.row());
            };
            band.add(e);
            break;
        }
        case Content::Act: {
            // The number and its "/" fill the left part, right-aligned, so the slashes line up.
            QRectF number = rect;
            number.setWidth(rect.width() * 0.35);
            ReportElement n =
                ReportElement::label(number, {}, Qt::AlignRight | Qt::AlignVCenter).withFont(font);
            n.onPrint = [](const ReportContext& context, const QString&) {
                return valueText(context.value(QStringLiteral("Numar"))) + QStringLiteral(" /");
            };
            band.add(n);
            QRectF date = rect;
            date.setLeft(number.right() + 0.8);
            band.add(ReportElement::data(date, c.field).withFont(font));
            break;
        }
        case Content::Text: {
            ReportElement e = ReportElement::data(rect, c.field).withFont(font);
            e.wrap = true;
            band.add(e);
            break;
        }
        }
    }
    return band;
}

QString cellText(const RecordColumn& column, const ReportTable& table, int row, const QString& counter)
{
    switch (column.content) {
    case Content::Counter:
        return counter;
    case Content::Act:
        return valueText(table.value(row, QStringLiteral("Numar"))) + QLatin1Char('/') +
               valueText(table.value(row, column.field));
    case Content::Text:
        break;
    }
    return valueText(table.value(row, column.field));
}

} // namespace RecordColumns
