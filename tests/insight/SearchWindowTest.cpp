#include "insight/SearchWindow.h"
#include "SearchTestSupport.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Sql.h"
#include "insight/FoundDocumentsModel.h"
#include "operations/TCheltuieliFrm.h"
#include "operations/TVenituriFrm.h"
#include "support/Documents.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

class SearchWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        db = folder.openWorkingYear();
        year = QDate::currentDate().year();
        Documents::setYear(db, year, 0, 0);
        const QString march = QStringLiteral("%1-03-").arg(year);
        using namespace SearchDocuments;
        income(db, 1, march + QStringLiteral("05"), 150, QStringLiteral("Ștefan Popescu"),
               QStringLiteral("Contributie"));
        income(db, 2, march + QStringLiteral("06"), 60, QStringLiteral("Ana Ştefănescu"),
               QStringLiteral("Pomelnic"));
        income(db, 3, march + QStringLiteral("07"), 90, QStringLiteral("Ion Vasile"),
               QStringLiteral("Acatist"));
        payment(db, 1, march + QStringLiteral("08"), 45, QStringLiteral("Sfântul Ștefan SRL"),
                QStringLiteral("Tamaie"));
        window = new TCautareFrm(&owner);
        window->show();
        QApplication::setActiveWindow(window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void TearDown() override
    {
        delete window;
        qDeleteAll(owner.findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
    }

    template <class T> T* child(const QString& name) { return window->findChild<T*>(name); }
    QLineEdit* box(const QString& name) { return child<QLineEdit>(name); }
    QString summary() { return child<QLabel>(QStringLiteral("Rezumat"))->text(); }
    QStringList names()
    {
        QStringList list;
        for (const FoundDocument& d : window->results()->documents())
            list << d.name;
        return list;
    }
    void typeAndEnter(QLineEdit* input, const QString& text)
    {
        input->setFocus();
        QTest::keyClicks(input, text);
        QTest::keyClick(input, Qt::Key_Return);
    }

    TestFolder folder;
    QSqlDatabase db;
    int year = 0;
    QWidget owner;
    ScriptedDialogs dialogs;
    TCautareFrm* window = nullptr;
};

} // namespace

TEST_F(SearchWindowTest, EachKeystrokeShowsTheDocumentsAndEnterOpensTheOneChosen)
{
    QLineEdit* text = box(QStringLiteral("Text"));
    text->setFocus();
    QTest::keyClicks(text, QStringLiteral("stef"));
    // The first documents show while typing, before the whole list is made.
    EXPECT_EQ(window->results()->rowCount(), 3);
    typeAndEnter(text, QStringLiteral("an"));
    EXPECT_EQ(names(), (QStringList{"Ștefan Popescu", "Ana Ştefănescu", "Sfântul Ștefan SRL"}));
    EXPECT_EQ(summary(), QStringLiteral("3 documente, total 255,00 lei"));

    auto* grid = child<QTableView>(QStringLiteral("Rezultate"));
    EXPECT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    auto* expenses = owner.findChild<TCheltuieliFrm*>();
    ASSERT_NE(expenses, nullptr);
    EXPECT_TRUE(expenses->isVisible());
    EXPECT_EQ(expenses->document()->asString(QStringLiteral("Beneficiar")),
              QStringLiteral("Sfântul Ștefan SRL"));

    // A double-click opens the incomes' window on its document.
    const QPoint firstRow = grid->visualRect(window->results()->index(0, 3)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, firstRow);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, firstRow);
    auto* incomes = owner.findChild<TVenituriFrm*>();
    ASSERT_NE(incomes, nullptr);
    EXPECT_EQ(incomes->document()->asString(QStringLiteral("Den_enorias")), QStringLiteral("Ștefan Popescu"));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.everything().join(QLatin1Char('\n')).toStdString();
}

TEST_F(SearchWindowTest, FiltersNarrowAndBadInputIsSaid)
{
    typeAndEnter(box(QStringLiteral("SumaMinima")), QStringLiteral("60"));
    EXPECT_EQ(names(), QStringList{"Ana Ştefănescu"}); // one amount is looked for exactly
    typeAndEnter(box(QStringLiteral("SumaMaxima")), QStringLiteral("150"));
    EXPECT_EQ(names(), (QStringList{"Ștefan Popescu", "Ana Ştefănescu", "Ion Vasile"}));
    child<QComboBox>(QStringLiteral("Felul"))->setCurrentText(QStringLiteral("Plati"));
    window->searchNow();
    EXPECT_EQ(summary(), QStringLiteral("Nu s-a gasit niciun document."));

    typeAndEnter(box(QStringLiteral("DeLaData")), QStringLiteral("31.02.2024"));
    EXPECT_EQ(window->results()->rowCount(), 0);
    EXPECT_EQ(summary(), QStringLiteral("Data de inceput \"31.02.2024\" nu este o data (DD.MM.YYYY)."));
    EXPECT_FALSE(child<QPushButton>(QStringLiteral("SalveazaCsv"))->isEnabled());
}

TEST_F(SearchWindowTest, TheListIsSavedAsCsvOneLinePerDocument)
{
    typeAndEnter(box(QStringLiteral("Text")), QStringLiteral("stefanescu"));
    const QString file = folder.file(QStringLiteral("gasite.csv"));
    dialogs.fileAnswers = {file};
    QTest::mouseClick(child<QPushButton>(QStringLiteral("SalveazaCsv")), Qt::LeftButton);
    QFile csv(file);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll())
                                  .remove(QChar(0xFEFF))
                                  .split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("An;Fel;Numar;Data;Cod;Tip;Nume;Explicatie;Suma;Cont"));
    EXPECT_EQ(
        lines[1],
        QStringLiteral("%1;Incasare;2;06.03.%1;1;Donatii;Ana Ştefănescu;Pomelnic;60,00;Casa").arg(year));
}

TEST_F(SearchWindowTest, AClosedYearsDocumentOpensAfterTheProgramMovesToThatYear)
{
    folder.closeYear(year);
    execOrFail(QStringLiteral("DELETE FROM Venituri"));
    execOrFail(QStringLiteral("DELETE FROM Cheltuieli"));
    // The new working year has a document of its own.
    SearchDocuments::income(Connection::database(), 1, QStringLiteral("%1-01-10").arg(year + 1), 10,
                            QStringLiteral("Ion Nou"), QString());
    child<QCheckBox>(QStringLiteral("AniiInchisi"))->setChecked(true);
    typeAndEnter(box(QStringLiteral("Text")), QStringLiteral("ion"));
    ASSERT_EQ(names(), (QStringList{"Ion Vasile", "Ion Nou"}));
    auto* grid = child<QTableView>(QStringLiteral("Rezultate"));
    EXPECT_FALSE(grid->isColumnHidden(FoundDocumentsModel::Year));
    EXPECT_EQ(FoundDocumentsModel::cellText(window->results()->documents()[0], FoundDocumentsModel::Year),
              QString::number(year));

    dialogs.answers = {true};
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_EQ(dialogs.texts(QStringLiteral("question")).size(), 1);
    EXPECT_TRUE(DatabaseLocation::instance().isClosedYearOpen());
    auto* incomes = owner.findChild<TVenituriFrm*>();
    ASSERT_NE(incomes, nullptr);
    EXPECT_EQ(incomes->document()->asString(QStringLiteral("Den_enorias")), QStringLiteral("Ion Vasile"));
    DatabaseLocation::instance().switchToYear(QString::number(year + 1), true);
}

TEST_F(SearchWindowTest, ATypesDocumentsForTheTypeCodeKindAndPeriodTyped)
{
    typeAndEnter(box(QStringLiteral("CodTip")), QStringLiteral("1"));
    auto* button = child<QPushButton>(QStringLiteral("DocumenteleTipului"));
    // Without the kind the code could be an income's or an expense's: said, nothing shown.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
    EXPECT_EQ(window->findChild<QDialog*>(QStringLiteral("TDocumenteFrm")), nullptr);

    child<QComboBox>(QStringLiteral("Felul"))->setCurrentText(QStringLiteral("Incasari"));
    typeAndEnter(box(QStringLiteral("PanaLaData")), QStringLiteral("06.03.%1").arg(year));
    QTest::mouseClick(button, Qt::LeftButton);
    auto* list = window->findChild<QDialog*>(QStringLiteral("TDocumenteFrm"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->findChild<QLabel*>(QStringLiteral("Total"))->text(),
              QStringLiteral("2 linii, total 210,00"));
}
