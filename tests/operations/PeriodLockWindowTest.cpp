#include "MoneyWindowTest.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "journal/PeriodLock.h"
#include "operations/TCheltuieliFrm.h"
#include "operations/TVenituriFrm.h"


using PeriodLockInWindows = MoneyWindowTest;

namespace
{

struct LockedWindow {
    const char* table;
    bool incomes; // the incomes window, else the expenses one
    const char* code;
};

} // namespace

// A document typed on the lock's date is refused with the lock named and stays
// on screen as typed; moved to the day after, it is stored. A stored one of the
// locked period can be neither changed nor deleted.
TEST_F(PeriodLockInWindows, TheIncomesAndExpensesWindowsRefuseTheLockedPeriod)
{
    const QString year = thisYear();
    const QString refused = QStringLiteral("Perioada pana la 31.03.%1 este blocata: documentul nu poate fi %2.");
    execOrFail(QStringLiteral("UPDATE Contor SET Sold_init_casa = 100000")); // no question on the cash balance
    PeriodLock::setDate(Connection::database(), QDate(year.toInt(), 3, 31));
    const LockedWindow windows[] = {
        {"Venituri", true, "7"},
        {"Cheltuieli", false, "26"},
    };
    for (const LockedWindow& window : windows) {
        SCOPED_TRACE(window.table);
        const QString table = QString::fromLatin1(window.table);
        MoneyDocumentWindow* w = window.incomes ? static_cast<MoneyDocumentWindow*>(open<TVenituriFrm>())
                                                : static_cast<MoneyDocumentWindow*>(open<TCheltuieliFrm>());
        typeDate(w, QStringLiteral("3103") + year);
        typeOver(w->codeInput(), QString::fromLatin1(window.code));
        if (!window.incomes)
            typeOver(static_cast<TCheltuieliFrm*>(w)->beneficiaryInput(), QStringLiteral("Enel"));
        typeOver(w->amountInput(), QStringLiteral("150"));
        typeOver(w->numberInput(), QStringLiteral("41"));
        dialogs.shown.clear();
        click(w->saveButton());
        EXPECT_TRUE(dialogs.everything().join(QLatin1Char('\n')).contains(refused.arg(year, QStringLiteral("adaugat"))))
            << dialogs.everything().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(storedRows(table), 0);
        EXPECT_EQ(w->document()->state(), DatasetState::Insert);
        EXPECT_EQ(w->amountInput()->text(), QStringLiteral("150,00"));
        EXPECT_EQ(w->numberInput()->text(), QStringLiteral("41"));

        typeDate(w, QStringLiteral("0104") + year);
        dialogs.shown.clear();
        click(w->saveButton());
        EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.everything().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(storedRows(table), 1);

        // The stored document moved back into the locked period: refused, kept as typed.
        typeDate(w, QStringLiteral("3003") + year);
        dialogs.shown.clear();
        click(w->saveButton());
        EXPECT_TRUE(dialogs.everything().join(QLatin1Char('\n')).contains(refused.arg(year, QStringLiteral("modificat"))));
        EXPECT_EQ(w->document()->state(), DatasetState::Edit);
        w->document()->cancel();
        w->close();
    }
}
