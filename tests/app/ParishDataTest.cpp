#include "app/Firms.h"
#include "app/MainUnt.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

class ParishData : public ::testing::Test
{
protected:
    void SetUp() override { folder.openWorkingYear(); }

    std::unique_ptr<TFirmDataDlg> open()
    {
        auto dialog = std::make_unique<TFirmDataDlg>();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    static QVariant stored(const QString& field)
    {
        return Sql::scalar(Connection::database(),
                           QStringLiteral("SELECT %1 FROM Parohia").arg(Sql::quoted(field)));
    }

    static QStringList items(const QComboBox* box)
    {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    }

    const QString thisYear = QString::number(QDate::currentDate().year());
    TestFolder folder;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(ParishData, ShowsEveryCaptionAndTheWorkingYear)
{
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Datele parohiei"));
    QStringList captions;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption :
         {"Anul pentru care se opereaza veniturile si cheltuielile parohiei :",
          "Valoarea contributiei anuale  a credinciosilor", "LEI (RON)", "Arhiepiscopia/Episcopia",
          "Protopopiatul", "Parohia", "Strada", "Numarul", "Localitatea", "Judetul", "Preot paroh",
          "Prim epitrop", "Banca", "Contul bancar"})
        EXPECT_TRUE(captions.contains(QString::fromLatin1(caption))) << caption;
    EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("Valideaza"))->text(),
              QStringLiteral("&Valideaza"));
    EXPECT_EQ(dialog->findChild<QPushButton*>(QStringLiteral("Valideaza"))->toolTip(),
              QStringLiteral("Sunt de acord"));
    // Without closed years the list holds the working year alone.
    EXPECT_EQ(items(dialog->yearBox()), QStringList{thisYear});
    EXPECT_EQ(dialog->yearBox()->currentText(), thisYear);
}

TEST_F(ParishData, FilledFromTheKeyboardAndStoredOnValidate)
{
    auto dialog = open();
    QTest::keyClick(dialog->yearBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), dialog->edit(QStringLiteral("Val_contributie")));
    const QStringList typed = {"150",
                               "Arhiepiscopia Iasilor",
                               "Iasi",
                               "Sf. Nicolae",
                               "Bisericii",
                               "12",
                               "Iasi",
                               "Iasi",
                               "Pr. Popescu Ion",
                               "Ionescu Vasile",
                               "Banca Comunitara",
                               "RO49AAAA1B31007593840000"};
    for (const QString& text : typed) {
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(QApplication::focusWidget(), dialog->findChild<QPushButton*>(QStringLiteral("Valideaza")));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("Val_contributie")).toDouble(), 150.0);
    EXPECT_EQ(stored(QStringLiteral("Parohia")).toString(), QStringLiteral("Sf. Nicolae"));
    EXPECT_EQ(stored(QStringLiteral("Cont bancar")).toString(), QStringLiteral("RO49AAAA1B31007593840000"));
}

TEST_F(ParishData, TheCloseBoxDropsTheEdits)
{
    auto dialog = open();
    dialog->edit(QStringLiteral("Parohia"))->setFocus();
    QTest::keyClicks(dialog->edit(QStringLiteral("Parohia")), QStringLiteral("Sf. Ilie"));
    dialog->close();
    EXPECT_TRUE(stored(QStringLiteral("Parohia")).isNull());
}

TEST_F(ParishData, TheYearListSwitchesBetweenTheWorkingYearAndClosedYears)
{
    Sql::exec(Connection::database(), QStringLiteral("UPDATE Parohia SET Parohia = 'Anul 2022'"));
    folder.closeYear(2022);
    Sql::exec(Connection::database(), QStringLiteral("UPDATE Parohia SET Parohia = 'Anul 2023'"));
    folder.closeYear(2023);
    Sql::exec(Connection::database(), QStringLiteral("UPDATE Parohia SET Parohia = 'Anul curent'"));
    Sql::exec(Connection::database(), QStringLiteral("INSERT INTO Ani VALUES (2024)"));
    TMainFrm mainWindow; // follows the switch with its two commands
    auto dialog = open();
    ASSERT_EQ(items(dialog->yearBox()), QStringList({"2024", "2023", "2022"}));

    dialog->yearBox()->setCurrentIndex(2);
    Q_EMIT dialog->yearBox()->activated(2);
    EXPECT_TRUE(DatabaseLocation::instance().isClosedYearOpen());
    EXPECT_EQ(dialog->edit(QStringLiteral("Parohia"))->text(), QStringLiteral("Anul 2022"));
    EXPECT_EQ(dialog->yearBox()->currentText(), QStringLiteral("2022"));
    EXPECT_FALSE(mainWindow.command(QStringLiteral("SalvareDate"))->isEnabled());
    EXPECT_FALSE(mainWindow.command(QStringLiteral("TrecereaLaAnNou"))->isEnabled());

    dialog->yearBox()->setCurrentIndex(0);
    Q_EMIT dialog->yearBox()->activated(0);
    EXPECT_FALSE(DatabaseLocation::instance().isClosedYearOpen());
    EXPECT_EQ(dialog->edit(QStringLiteral("Parohia"))->text(), QStringLiteral("Anul curent"));
    EXPECT_TRUE(mainWindow.command(QStringLiteral("SalvareDate"))->isEnabled());
    EXPECT_TRUE(mainWindow.command(QStringLiteral("TrecereaLaAnNou"))->isEnabled());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// A typed year without a database moves nothing: the box goes back to the
// year in force and "&Valideaza" stores the record with that year.
TEST_F(ParishData, ARefusedTypedYearIsNeverStored)
{
    Sql::exec(Connection::database(), QStringLiteral("UPDATE Parohia SET Parohia = 'Anul 2024'"));
    folder.closeYear(2024);
    Sql::exec(Connection::database(),
              QStringLiteral("UPDATE Parohia SET An_lucru = :y, Parohia = 'Anul curent'"),
              {{QStringLiteral(":y"), thisYear.toInt()}});
    Sql::exec(Connection::database(), QStringLiteral("INSERT INTO Ani VALUES (:y)"),
              {{QStringLiteral(":y"), thisYear.toInt()}});
    const struct {
        bool inClosedYear;
        const char* typed;
        Qt::Key leaveBy;
    } cases[] = {
        {false, "2018", Qt::Key_Return},
        {false, "2018", Qt::Key_Tab},
        {true, "2019", Qt::Key_Return},
        {true, "2019", Qt::Key_Tab},
    };
    for (const auto& c : cases) {
        const std::string where = std::string(c.inClosedYear ? "closed year, " : "working year, ") + c.typed +
                                  (c.leaveBy == Qt::Key_Tab ? " Tab" : " Enter");
        dialogs.shown.clear();
        auto dialog = open();
        QLineEdit* year = dialog->yearBox()->lineEdit();
        if (c.inClosedYear) {
            QTest::keyClick(year, Qt::Key_Down); // the list's second entry: 2024
            ASSERT_TRUE(DatabaseLocation::instance().isClosedYearOpen()) << where;
        }
        const QString yearInForce = c.inClosedYear ? QStringLiteral("2024") : thisYear;
        const QString databaseFile =
            c.inClosedYear ? DatabaseLocation::yearFolder(2024) + DatabaseLocation::databaseFileName
                           : folder.databaseFile();
        ASSERT_EQ(dialog->yearBox()->currentText(), yearInForce) << where;

        year->selectAll();
        QTest::keyClicks(year, QString::fromLatin1(c.typed));
        QTest::keyClick(year, c.leaveBy);
        ASSERT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1) << where;
        EXPECT_TRUE(dialogs.texts(QStringLiteral("warning"))
                        .first()
                        .startsWith(QStringLiteral("Pentru anul %1 nu exista baza de date").arg(c.typed)))
            << where;
        EXPECT_EQ(DatabaseLocation::instance().isClosedYearOpen(), c.inClosedYear) << where;
        EXPECT_EQ(dialog->yearBox()->currentText(), yearInForce) << where;
        EXPECT_EQ(dialog->parish()->asString(QStringLiteral("An_lucru")), yearInForce) << where;

        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Valideaza")), Qt::LeftButton);
        EXPECT_EQ(dialog->result(), QDialog::Accepted) << where;
        EXPECT_EQ(dialogs.shown.size(), 1) << where << ": no working-year notice follows";
        {
            const QSqlDatabase file = Connection::openNamed(QStringLiteral("Verificare"), databaseFile);
            EXPECT_EQ(Sql::scalar(file, QStringLiteral("SELECT An_lucru FROM Parohia")).toString(),
                      yearInForce)
                << where;
        }
        Connection::removeNamed(QStringLiteral("Verificare"));
        dialog.reset();
        if (c.inClosedYear)
            ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString(), true).ok);
    }
}

// Choosing again, from the list, the year already open moves nothing and
// keeps what was typed into the parish record.
TEST_F(ParishData, ChoosingTheYearAlreadyOpenKeepsWhatWasTyped)
{
    folder.closeYear(2024);
    Sql::exec(Connection::database(), QStringLiteral("UPDATE Parohia SET An_lucru = :y"),
              {{QStringLiteral(":y"), thisYear.toInt()}});
    Sql::exec(Connection::database(), QStringLiteral("INSERT INTO Ani VALUES (:y)"),
              {{QStringLiteral(":y"), thisYear.toInt()}});
    for (const bool inClosedYear : {false, true}) {
        SCOPED_TRACE(inClosedYear ? "closed year" : "working year");
        auto dialog = open();
        QComboBox* year = dialog->yearBox();
        if (inClosedYear)
            QTest::keyClick(year->lineEdit(), Qt::Key_Down); // the list's second entry: 2024
        ASSERT_EQ(DatabaseLocation::instance().isClosedYearOpen(), inClosedYear);
        const QString databaseFile = Connection::filePath();
        TDBEditNormal* parish = dialog->edit(QStringLiteral("Parohia"));
        parish->setFocus();
        QTest::keyClicks(parish, QStringLiteral("Sf. Ilie"));
        QTest::keyClick(parish, Qt::Key_Tab);

        year->setFocus();
        year->showPopup();
        QTest::keyClick(year->view(), Qt::Key_Return); // the entry in force, chosen again
        EXPECT_EQ(DatabaseLocation::instance().isClosedYearOpen(), inClosedYear);
        EXPECT_EQ(parish->text(), QStringLiteral("Sf. Ilie"));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Valideaza")), Qt::LeftButton);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(Connection::filePath(), databaseFile);
        EXPECT_EQ(stored(QStringLiteral("Parohia")).toString(), QStringLiteral("Sf. Ilie"));
        Sql::exec(Connection::database(), QStringLiteral("UPDATE Parohia SET Parohia = NULL"));
    }
    ASSERT_TRUE(DatabaseLocation::instance().switchToYear(QString(), true).ok);
}

TEST_F(ParishData, AFailedStoreKeepsTheDialogAndWhatWasTyped)
{
    auto dialog = open();
    TDBEditNormal* parish = dialog->edit(QStringLiteral("Parohia"));
    parish->setFocus();
    QTest::keyClicks(parish, QStringLiteral("Sf. Ilie"));
    Sql::exec(Connection::database(), QStringLiteral("ALTER TABLE Parohia RENAME TO Parohia_mutata"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Valideaza")), Qt::LeftButton);
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error"))
                    .first()
                    .startsWith(QStringLiteral("Eroare de acces la tabela parohie!\n")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(parish->text(), QStringLiteral("Sf. Ilie"));
}

TEST_F(ParishData, WithoutTheParishTableTheDialogDoesNotOpen)
{
    Sql::exec(Connection::database(), QStringLiteral("DROP TABLE Parohia"));
    TFirmDataDlg::execute(nullptr);
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList{"Eroare de acces la tabela parohie!\nTabela Parohia nu exista in baza de date!"});
}

TEST_F(ParishData, OpensFromTheMainWindow)
{
    TMainFrm mainWindow;
    QString seen;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            seen = modal->windowTitle();
            modal->close();
        }
    });
    mainWindow.command(QStringLiteral("Parohia"))->trigger();
    EXPECT_EQ(seen, QStringLiteral("Datele parohiei"));
}
