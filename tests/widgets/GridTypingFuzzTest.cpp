// Random typing into the number and date cells of a grid, through the keys a
// user presses: what the cell shows when the user moves on is either stored
// exactly as the readers read it, or refused with a message and nothing
// written.
#include "IncomesGridWindow.h"

#include "db/DateFormat.h"
#include "db/TypedNumber.h"
#include "support/SeededRandom.h"

#include <QRegularExpression>

namespace
{

// The second row's cell as the database holds it.
QString storedCell(const IncomesWindow& w, int column)
{
    return w.stored().split(QStringLiteral(" / ")).value(1).split(QLatin1Char(';')).value(column);
}

} // namespace

TEST(GridTypingFuzz, WhatTheCellShowsIsStoredExactlyOrRefusedAloud)
{
    const QString alphabet = QStringLiteral("0123456789,.-+ ea_/");
    SeededRandom random;

    IncomesWindow w;
    for (int i = 0, n = SeededRandom::runs(150); i < n; ++i) {
        const bool dateCell = random.chance(50);
        const QString field = dateCell ? QStringLiteral("Data") : QStringLiteral("Valoarea");
        const int column = dateCell ? 3 : 2;
        const QString typed = random.text(alphabet, 13);

        const QString before = w.stored();
        const int messagesBefore = int(w.dialogs.shown.size());
        w.startAt(1, field);
        w.retype(typed);
        ASSERT_NE(w.grid->cellEditor(), nullptr);
        const QString shown = w.grid->cellEditor()->displayText();
        w.press(Qt::Key_Down);
        const std::string where = QStringLiteral("seed %1, %2 typed \"%3\", shown \"%4\"")
                                      .arg(random.seed())
                                      .arg(field, typed, shown)
                                      .toStdString();

        const bool refused = int(w.dialogs.shown.size()) > messagesBefore;
        // A cell emptied is a value taken away, stored as empty.
        const QString blanks = dateCell ? QStringLiteral("[_. ]") : QStringLiteral("\\s");
        if (QString(shown).remove(QRegularExpression(blanks)).isEmpty()) {
            ASSERT_FALSE(refused) << where;
            ASSERT_EQ(storedCell(w, column), QString()) << where;
        } else if (dateCell) {
            const QDate date = DateFormat::fromShortText(shown);
            ASSERT_EQ(refused, !date.isValid()) << where;
            if (!refused)
                ASSERT_EQ(storedCell(w, column), date.toString(Qt::ISODate)) << where;
        } else {
            const std::optional<double> value = TypedNumber::read(shown);
            ASSERT_EQ(refused, !value.has_value()) << where;
            if (!refused)
                ASSERT_EQ(storedCell(w, column).toDouble(), *value) << where;
        }
        if (refused) {
            ASSERT_EQ(w.stored(), before) << where;
            w.press(Qt::Key_Escape); // gives the stored value back
            w.press(Qt::Key_Up);
            ASSERT_EQ(w.stored(), before) << where;
            ASSERT_EQ(int(w.dialogs.shown.size()), messagesBefore + 1) << where;
        }
    }
}
