#include "MoneyWindowTest.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "operations/TVenituriFrm.h"
#include "support/TestServer.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"

#include <QPushButton>
#include <QSqlQuery>
#include <optional>

namespace
{

// The incomes window on the working year's schema of a PostgreSQL server.
class IncomesWindowOnServerTest : public MoneyWindowTest
{
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_TEST_SERVER();
        server.emplace();
        server->openWorkingYear();
        prepare();
    }

    void TearDown() override
    {
        if (!server)
            return;
        MoneyWindowTest::TearDown();
        server.reset();
    }

    std::optional<TestServerDatabase> server;
};

} // namespace

TEST_F(IncomesWindowOnServerTest, AReceiptTypedFromTheKeyboardIsStoredAndCountsInTheBalances)
{
    execOrFail(QStringLiteral("UPDATE Contor SET Sold_init_casa = 1000, Sold_init_banca = 500"));
    auto* w = open<TVenituriFrm>();
    EXPECT_EQ(w->balanceLabel(Account::Cash)->text(), QStringLiteral("1000,00"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    ASSERT_EQ(focused(), w->codeInput());
    pickWithCtrlEnter(w->codeInput(), QStringLiteral("2"));
    EXPECT_EQ(w->codeNameText()->text(), QStringLiteral("Contributia anuala a credinciosilor"));
    pickWithCtrlEnter(w->parishionerInput(), QStringLiteral("P1"));
    EXPECT_EQ(w->parishionerNameText()->text(), QStringLiteral("Popescu Ion"));
    press(Qt::Key_Return);
    type(QStringLiteral("150"));
    press(Qt::Key_Return);
    EXPECT_EQ(w->explanationInput()->text(), QStringLiteral("Contributie anuala pe familie Popescu Ion"));
    press(Qt::Key_Return);
    press(Qt::Key_Return);
    ASSERT_EQ(focused(), w->saveButton());
    press(Qt::Key_Return);
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.everything().join(QLatin1Char(0x0a)).toStdString();

    QSqlQuery row = Sql::exec(Connection::database(),
                              QStringLiteral("SELECT Nr_act, Data, Fel, Cod_venit, Cod_enorias, Den_enorias, "
                                             "Cont, Valoarea, Cant_lumanari FROM Venituri"));
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toDouble(), 1.0);
    EXPECT_EQ(row.value(1).toDate(), QDate::currentDate());
    EXPECT_EQ(row.value(2).toString(), QStringLiteral("CHIT"));
    EXPECT_EQ(row.value(3).toInt(), 2);
    EXPECT_EQ(row.value(4).toString(), QStringLiteral("P1"));
    EXPECT_EQ(row.value(5).toString(), QStringLiteral("Popescu Ion"));
    EXPECT_EQ(row.value(6).toString(), QStringLiteral("Casa"));
    EXPECT_EQ(row.value(7).toDouble(), 150.0);
    EXPECT_EQ(row.value(8).toDouble(), 60.0);
    EXPECT_FALSE(row.next());
    EXPECT_EQ(w->balanceLabel(Account::Cash)->text(), QStringLiteral("1150,00"));
    EXPECT_EQ(w->balanceLabel(Account::Bank)->text(), QStringLiteral("500,00"));

    // The next receipt takes the next number; a deletion gives the balance back.
    press(Qt::Key_Return);
    EXPECT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), 2.0);
    press(w, TDBNavigator::First);
    dialogs.answers = {true};
    press(w, TDBNavigator::Delete);
    EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 0);
    EXPECT_EQ(w->balanceLabel(Account::Cash)->text(), QStringLiteral("1000,00"));
}
