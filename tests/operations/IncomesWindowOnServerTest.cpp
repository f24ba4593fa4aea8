#include "MoneyWindowTest.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "operations/DocumentNumbering.h"
#include "operations/TVenituriFrm.h"
#include "support/TestServer.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"

#include <QPushButton>
#include <QSqlQuery>
#include <QUrl>
#include <chrono>
#include <future>
#include <optional>
#include <thread>

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

// Another computer stores receipt 1 while this window stores its own receipt,
// proposed as 1 too. The other computer numbers first and holds the
// numbering until its receipt is stored; this window waits for it, then finds
// 1 taken, stores its receipt as 2 and tells so.
TEST_F(IncomesWindowOnServerTest, TwoComputersStoringReceiptsAtOnceNeverGiveOneNumberTwice)
{
    auto* w = open<TVenituriFrm>();
    ASSERT_EQ(w->document()->asFloat(QStringLiteral("Nr_act")), 1.0);
    typeOver(w->codeInput(), QStringLiteral("2"));
    typeOver(w->parishionerInput(), QStringLiteral("P1"));
    typeOver(w->amountInput(), QStringLiteral("150"));
    press(Qt::Key_Return);

    std::promise<void> numbering;
    std::future<void> numberingHeld = numbering.get_future();
    std::thread otherComputer([&numbering, address = QUrl(server->address())] {
        const QString name = QStringLiteral("AltCalculator");
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            other.setHostName(address.host());
            other.setPort(address.port());
            other.setUserName(address.userName());
            other.setDatabaseName(address.path().mid(1));
            if (other.open()) {
                Sql::exec(other, QStringLiteral("SET search_path TO parohie"));
                Sql::exec(other, QStringLiteral("BEGIN"));
                serialiseNumbering(other, {{QStringLiteral("Venituri"), QStringLiteral("Nr_act")}});
                Sql::exec(other, QStringLiteral(
                                     "INSERT INTO Venituri (Nr_act, Data, Fel, Cod_venit, Cont, Valoarea) "
                                     "VALUES (1, CURRENT_DATE, 'CHIT', 1, 'Casa', 20)"));
            }
            numbering.set_value();
            // Until the window waits for the numbering; without it, long enough for the window to store.
            const QString waiting =
                QStringLiteral("SELECT count(*) FROM pg_locks WHERE locktype = 'advisory' AND NOT granted");
            for (int i = 0; i < 500 && other.isOpen() && Sql::scalar(other, waiting).toInt() == 0; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (other.isOpen())
                Sql::exec(other, QStringLiteral("COMMIT"));
            other.close();
        }
        QSqlDatabase::removeDatabase(name);
    });
    numberingHeld.wait();
    click(w->saveButton());
    otherComputer.join();

    QStringList numbers;
    QSqlQuery stored = Sql::exec(Connection::database(),
                                 QStringLiteral("SELECT Nr_act, Valoarea FROM Venituri ORDER BY Nr_act"));
    while (stored.next())
        numbers << QStringLiteral("%1: %2").arg(stored.value(0).toDouble()).arg(stored.value(1).toDouble());
    EXPECT_EQ(numbers, (QStringList{QStringLiteral("1: 20"), QStringLiteral("2: 150")}));
    EXPECT_EQ(dialogs.texts(QStringLiteral("information")),
              QStringList{QStringLiteral("Numarul 1 a fost dat intre timp altui document. "
                                         "Documentul se salveaza cu numarul 2.")});
    EXPECT_EQ(w->balanceLabel(Account::Cash)->text(), QStringLiteral("170,00"));
}
