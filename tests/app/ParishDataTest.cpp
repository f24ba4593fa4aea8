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

TEST_F(ParishData, ATypedYearWithoutDatabaseStaysOnTheWorkingYearAndIsStoredAfterTheNotice)
{
    auto dialog = open();
    QLineEdit* year = dialog->yearBox()->lineEdit();
    year->selectAll();
    QTest::keyClicks(year, QStringLiteral("2019"));
    QTest::keyClick(year, Qt::Key_Return);
    ASSERT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("warning"))
                    .first()
                    .startsWith(QStringLiteral("Pentru anul 2019 nu exista baza de date")));
    EXPECT_FALSE(DatabaseLocation::instance().isClosedYearOpen());
    EXPECT_EQ(dialog->yearBox()->currentText(), QStringLiteral("2019"));
    dialog->yearBox()->setFocus();
    QTest::keyClick(year, Qt::Key_Return); // leaving the box again says nothing more
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")).size(), 1);

    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Valideaza")), Qt::LeftButton);
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("information")),
        QStringList{QStringLiteral("Atentie anul ales 2019 difera de anul curent (setat la calculator) ") +
                    thisYear});
    EXPECT_EQ(stored(QStringLiteral("An_lucru")).toInt(), 2019);
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
