#include "JournalFixture.h"

#include "db/Sql.h"
#include "journal/DeletedDocumentsWindow.h"
#include "journal/PeriodLock.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using DeletedDocumentsInTheWindow = JournalFixture;

// Two receipts deleted: the latest first, its fields shown; "Restaureaza"
// puts the chosen one back and it leaves the list; one in the locked period is
// refused with the lock named.
TEST_F(DeletedDocumentsInTheWindow, ListsTheDeletedAndRestoresTheChosenOne)
{
    for (const int number : {4, 5}) {
        store(QStringLiteral("Venituri"), {{QStringLiteral("Nr_act"), number},
                                           {QStringLiteral("Data"), QDate(2024, 3, number)},
                                           {QStringLiteral("Valoarea"), 10 * number}});
        remove(QStringLiteral("Venituri"), QStringLiteral("Nr_act"), number);
    }
    DeletedDocumentsWindow window;
    window.show();
    auto* list = window.findChild<QTableWidget*>(QStringLiteral("ListaDocumenteSterse"));
    auto* details = window.findChild<QPlainTextEdit*>(QStringLiteral("ContinutDocumentSters"));
    auto* restore = window.findChild<QPushButton*>(QStringLiteral("Restaureaza"));
    ASSERT_TRUE(list && details && restore);
    ASSERT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->item(0, 3)->text(), QStringLiteral("5"));
    EXPECT_EQ(list->item(0, 4)->text(), QStringLiteral("05.03.2024"));
    EXPECT_TRUE(details->toPlainText().contains(QStringLiteral("Valoarea: 50,00")));

    PeriodLock::setDate(db, QDate(2024, 3, 4));
    list->setCurrentCell(1, 0);
    QTest::mouseClick(restore, Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")).value(0),
              QStringLiteral("Perioada pana la 04.03.2024 este blocata: documentul nu poate fi adaugat."));
    EXPECT_EQ(list->rowCount(), 2);

    list->setCurrentCell(0, 0);
    QTest::mouseClick(restore, Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(QStringLiteral("information")),
              QStringList{QStringLiteral("Documentul nr. 5 din tabela Venituri a fost restaurat.")});
    EXPECT_EQ(Sql::scalar(db, QStringLiteral("SELECT Valoarea FROM Venituri WHERE Nr_act = 5")).toDouble(), 50.0);
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 3)->text(), QStringLiteral("4"));
}
