#include "JournalFixture.h"

#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "db/WorkingYear.h"
#include "journal/DeletedDocuments.h"
#include "journal/JournalCommands.h"
#include "journal/JournalStore.h"
#include "journal/JournalVerification.h"
#include "journal/PeriodLock.h"
#include "year/YearEndRollover.h"

namespace
{

const QString lockedMessage = QStringLiteral("Perioada pana la 31.03.2024 este blocata: documentul nu poate fi %1.");

// One kind of document: its table, the field that finds it and a row of it on a date.
struct DocumentKind {
    const char* table;
    const char* numberField;
    std::function<QVariantMap(int number, const QDate& date)> row;
};

QVariantMap money(const char* numberField, int number, const QDate& date)
{
    return {{QString::fromLatin1(numberField), number}, {QStringLiteral("Data"), date}};
}

const QList<DocumentKind>& documentKinds()
{
    static const QList<DocumentKind> kinds = {
        {"Venituri", "Nr_act", [](int n, const QDate& d) { return money("Nr_act", n, d); }},
        {"Cheltuieli", "Nr_act", [](int n, const QDate& d) { return money("Nr_act", n, d); }},
        {"Depuneri", "Nr_doc", [](int n, const QDate& d) { return money("Nr_doc", n, d); }},
        {"Ridicari", "Nr_doc", [](int n, const QDate& d) { return money("Nr_doc", n, d); }},
        {"CheltSal", "Nr_act", [](int n, const QDate& d) { return money("Nr_act", n, d); }},
        {"DocIn", "Numar", [](int n, const QDate& d) { return money("Numar", n, d); }},
    };
    return kinds;
}

class PeriodLockTest : public JournalFixture
{
protected:
    static QString refusalOf(const std::function<void()>& write)
    {
        try {
            write();
        } catch (const DbError& e) {
            return e.text();
        }
        return {};
    }
};

} // namespace

TEST_F(PeriodLockTest, EveryDocumentOnTheLockDateIsRefusedAndTheDayAfterAccepted)
{
    const QDate lockDay(2024, 3, 31), dayAfter(2024, 4, 1);
    for (const DocumentKind& kind : documentKinds()) {
        const QString table = QString::fromLatin1(kind.table);
        const QString number = QString::fromLatin1(kind.numberField);
        store(table, kind.row(1, lockDay));
        store(table, kind.row(2, dayAfter));
    }
    PeriodLock::setDate(db, lockDay);

    for (const DocumentKind& kind : documentKinds()) {
        SCOPED_TRACE(kind.table);
        const QString table = QString::fromLatin1(kind.table);
        const QString number = QString::fromLatin1(kind.numberField);
        const int rowsBefore = storedRows(table);
        EXPECT_EQ(refusalOf([&] { store(table, kind.row(3, lockDay)); }), lockedMessage.arg(QStringLiteral("adaugat")));
        EXPECT_EQ(refusalOf([&] { change(table, number, 1, {{QStringLiteral("Data"), dayAfter}}); }),
                  lockedMessage.arg(QStringLiteral("modificat")));
        EXPECT_EQ(refusalOf([&] { change(table, number, 2, {{QStringLiteral("Data"), lockDay}}); }),
                  lockedMessage.arg(QStringLiteral("modificat")))
            << "nor moved into the locked period";
        EXPECT_EQ(refusalOf([&] { remove(table, number, 1); }), lockedMessage.arg(QStringLiteral("sters")));
        EXPECT_EQ(storedRows(table), rowsBefore);

        EXPECT_EQ(refusalOf([&] { store(table, kind.row(3, dayAfter)); }), QString());
        EXPECT_EQ(refusalOf([&] { change(table, number, 3, {{QStringLiteral("Data"), dayAfter.addDays(1)}}); }), QString());
        EXPECT_EQ(refusalOf([&] { remove(table, number, 3); }), QString());
    }
}

TEST_F(PeriodLockTest, TheLinesOfALockedDocumentFollowItsDate)
{
    store(QStringLiteral("CheltSal"), {{QStringLiteral("Nr_act"), 1}, {QStringLiteral("Data"), QDate(2024, 3, 31)}});
    const QVariant orderId = Sql::scalar(db, QStringLiteral("SELECT Id FROM CheltSal"));
    store(QStringLiteral("ItemsSal"), {{QStringLiteral("Id_CheltSal"), orderId}, {QStringLiteral("Valoarea"), 10}});
    PeriodLock::setDate(db, QDate(2024, 3, 31));
    EXPECT_EQ(refusalOf([&] {
                  store(QStringLiteral("ItemsSal"), {{QStringLiteral("Id_CheltSal"), orderId}, {QStringLiteral("Valoarea"), 5}});
              }),
              lockedMessage.arg(QStringLiteral("adaugat")));
    EXPECT_EQ(refusalOf([&] { remove(QStringLiteral("ItemsSal"), QStringLiteral("Valoarea"), 10); }),
              lockedMessage.arg(QStringLiteral("sters")));
}

TEST_F(PeriodLockTest, ARestoreIntoTheLockedPeriodIsRefused)
{
    store(QStringLiteral("Venituri"), {{QStringLiteral("Nr_act"), 1}, {QStringLiteral("Data"), QDate(2024, 3, 31)}});
    remove(QStringLiteral("Venituri"), QStringLiteral("Nr_act"), 1);
    PeriodLock::setDate(db, QDate(2024, 3, 31));
    const DeletedDocument deleted = DeletedDocuments::list(db).value(0);
    EXPECT_EQ(refusalOf([&] { DeletedDocuments::restore(db, deleted, [](const QString&, const QString&) { return true; }); }),
              lockedMessage.arg(QStringLiteral("adaugat")));
    EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 0);
}

TEST_F(PeriodLockTest, MovingTheLockBackAsksFirstAndIsJournaled)
{
    dialogs.inputAnswers = {QStringLiteral("31.03.2024")};
    ASSERT_TRUE(JournalCommands::choosePeriodLock());
    EXPECT_EQ(PeriodLock::date(db), QDate(2024, 3, 31));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("question")).isEmpty()) << "moving forward asks nothing";

    dialogs.inputAnswers = {QStringLiteral("29.02.2024")};
    dialogs.answers = {false};
    EXPECT_FALSE(JournalCommands::choosePeriodLock());
    EXPECT_EQ(PeriodLock::date(db), QDate(2024, 3, 31)) << "declined: the lock stays";

    dialogs.inputAnswers = {QStringLiteral("31.02.2024"), QStringLiteral("29.02.2024")};
    dialogs.answers = {true};
    ASSERT_TRUE(JournalCommands::choosePeriodLock());
    EXPECT_EQ(PeriodLock::date(db), QDate(2024, 2, 29));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error")).contains(QStringLiteral("\"31.02.2024\" nu este o data. Scrieti data asa: 31.03.2024.")));
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).last(),
              QStringLiteral("Blocarea se muta inapoi de la 31.03.2024 la 29.02.2024: documentele dintre aceste "
                             "date vor putea fi modificate din nou. Continuati?"));
    const JournalEntry moved = lastEntry();
    EXPECT_EQ(moved.table, QStringLiteral("Blocare"));
    EXPECT_EQ(moved.action, JournalAction::update);
    EXPECT_TRUE(JournalVerification::run(db).isWhole());
}

TEST_F(PeriodLockTest, AClosedYearsDocumentsAreRefusedUntilItsLockIsMovedBack)
{
    const int year = workingYearOf(db);
    store(QStringLiteral("Venituri"), {{QStringLiteral("Nr_act"), 1}, {QStringLiteral("Data"), QDate(year, 6, 1)}});
    YearEndRollover::closeWorkingYear(db, folder.path(), year);
    EXPECT_EQ(storedRows(QStringLiteral("Venituri")), 0) << "the new working year starts empty";
    EXPECT_TRUE(JournalVerification::run(db).isWhole()) << "the closing wrote its summary and baseline";
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString::number(year), false).switched);
    const QSqlDatabase closed = Connection::database();
    const QString lastDay = QStringLiteral("31.12.%1").arg(year);
    EXPECT_EQ(PeriodLock::date(closed), QDate(year, 12, 31));
    EXPECT_EQ(JournalCommands::lockStatus(closed), QStringLiteral("Perioada blocata pana la ") + lastDay);
    EXPECT_EQ(refusalOf([&] { change(QStringLiteral("Venituri"), QStringLiteral("Nr_act"), 1, {{QStringLiteral("Valoarea"), 5}}); }),
              QStringLiteral("Perioada pana la %1 este blocata: documentul nu poate fi modificat.").arg(lastDay));

    dialogs.inputAnswers = {QString()};
    dialogs.answers = {true};
    ASSERT_TRUE(JournalCommands::choosePeriodLock());
    EXPECT_EQ(refusalOf([&] { change(QStringLiteral("Venituri"), QStringLiteral("Nr_act"), 1, {{QStringLiteral("Valoarea"), 5}}); }),
              QString());
    EXPECT_TRUE(JournalVerification::run(closed).isWhole()) << JournalVerification::run(closed).text().toStdString();
}

// The question shows 31.03.2024; on a desktop whose dates use another
// separator, that form is taken too, as are slashes and 2024-03-31.
TEST_F(PeriodLockTest, TheLockDateIsTakenInEveryUsualForm)
{
    const QLocale before;
    QLocale::setDefault(QLocale::c()); // dates shown "31/03/2024" or "31 03 2024"
    for (const QString& typed : {QStringLiteral("31.03.2024"), QStringLiteral("31/03/2024"),
                                 QStringLiteral("2024-03-31"), QStringLiteral("31.3.2024")}) {
        PeriodLock::setDate(db, QDate(2024, 1, 31));
        dialogs.inputAnswers = {typed};
        EXPECT_TRUE(JournalCommands::choosePeriodLock()) << typed.toStdString();
        EXPECT_EQ(PeriodLock::date(db), QDate(2024, 3, 31)) << typed.toStdString();
    }
    QLocale::setDefault(before);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error")).isEmpty());
}
