#include "app/MainUnt.h"
#include "app/ParamAplicUnt.h"
#include "core/ProgramOptions.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

class Parameters : public ::testing::Test
{
protected:
    void SetUp() override { folder.openWorkingYear(); }

    std::unique_ptr<TParamAplicFrm> open()
    {
        auto dialog = std::make_unique<TParamAplicFrm>(options);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    static QVariant stored(const QString& field)
    {
        return Sql::scalar(Connection::database(), QStringLiteral("SELECT %1 FROM Contor").arg(field));
    }

    QByteArray iniText() const
    {
        QFile f(folder.file(ProgramOptions::fileName));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // A click on the box itself (the widget is wider than its box and caption).
    static void clickBox(QCheckBox* box)
    {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    void validate(TParamAplicFrm& dialog)
    {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Valideaza")), Qt::LeftButton);
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    ProgramOptions options;
};

} // namespace

TEST_F(Parameters, ShowsTheParametersWithTheirFormats)
{
    Sql::exec(Connection::database(),
              QStringLiteral("UPDATE Contor SET Sold_init_casa = 1234.5, PretOut = 2.5"));
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Configurarea modului de lucru cu programul"));
    QStringList captions;
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        captions << label->text();
    for (const char* caption :
         {"Sold initial casa :", "Sold initial banca :",
          "Cod venit pentru contributia anuala a credinciosilor :", "Cod venit lumanari :",
          "Cod chelt. lumanari :", "Pret intrare lumanari :", "Pret iesire lumanari :",
          "Stoc initial lumanari :", "Sold initial lumanari :",
          "Personalizeaza programul - apasa butonul de alaturi !"})
        EXPECT_TRUE(captions.contains(QString::fromLatin1(caption))) << caption;

    TDBEditNormal* cash = dialog->edit(QStringLiteral("Sold_init_casa"));
    EXPECT_EQ(QApplication::focusWidget(), cash);
    EXPECT_EQ(cash->text(), QStringLiteral("1234,50")); // typed form while it has the focus
    QTest::keyClick(cash, Qt::Key_Return);
    EXPECT_EQ(cash->text(), QStringLiteral("1.234,50")); // shown form once left
    EXPECT_EQ(dialog->edit(QStringLiteral("PretOut"))->text(), QStringLiteral("2,5"));
    EXPECT_EQ(dialog->edit(QStringLiteral("CodVenContrib"))->text(), QStringLiteral("2"));
    EXPECT_EQ(dialog->kindsGrid()->model()->rowCount(), 9);
}

TEST_F(Parameters, ValidateStoresTheRecordAndWritesTheOptionsFile)
{
    options.checkForNewVersion = true;
    options.dailyBackup = true;
    options.compoundNames = false;
    auto dialog = open();
    EXPECT_FALSE(dialog->compoundNamesBox()->isChecked());
    EXPECT_TRUE(dialog->checkVersionBox()->isChecked());
    EXPECT_TRUE(dialog->dailyBackupBox()->isChecked());
    EXPECT_FALSE(dialog->printReceiptBox()->isChecked()); // off until chosen
    EXPECT_EQ(dialog->printReceiptBox()->text(),
              QStringLiteral("Tipareste chitanta la \"Printeaza\" in fereastra de incasari"));

    TDBEditNormal* cash = dialog->edit(QStringLiteral("Sold_init_casa"));
    cash->selectAll();
    QTest::keyClicks(cash, QStringLiteral("250,75"));
    dialog->compoundNamesBox()->setChecked(true);
    dialog->dailyBackupBox()->setChecked(false);
    clickBox(dialog->printReceiptBox());
    validate(*dialog);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("Sold_init_casa")).toDouble(), 250.75);
    EXPECT_TRUE(options.compoundNames);
    EXPECT_FALSE(options.dailyBackup);
    EXPECT_TRUE(options.printReceipt);
    EXPECT_EQ(iniText(), QByteArray("[Options]\r\nCheck for new version=1\r\nBackup BD zilnic=0\r\n"
                                    "Foloseste nume compus pe rapoarte=1\r\nTipareste chitanta=1\r\n"));
}

TEST_F(Parameters, TheCloseBoxChangesNothing)
{
    auto dialog = open();
    TDBEditNormal* cash = dialog->edit(QStringLiteral("Sold_init_casa"));
    cash->selectAll();
    QTest::keyClicks(cash, QStringLiteral("99"));
    dialog->checkVersionBox()->setChecked(false);
    clickBox(dialog->printReceiptBox());
    dialog->close();
    EXPECT_DOUBLE_EQ(stored(QStringLiteral("Sold_init_casa")).toDouble(), 0.0);
    EXPECT_TRUE(options.checkForNewVersion);
    EXPECT_FALSE(options.printReceipt);
    EXPECT_FALSE(QFile::exists(folder.file(ProgramOptions::fileName)));
}

// The parameters are one record: no key adds a second one, and a table that
// lost it is never given a new one; either refusal says why.
TEST_F(Parameters, TheParametersRecordIsNeverAddedAndTheRefusalIsSaid)
{
    const QString onlyOneRecord = QStringLiteral(
        "Parametrii aplicatiei sunt pastrati intr-o singura inregistrare; nu se poate adauga alta.");
    {
        auto dialog = open();
        TDBEditNormal* cash = dialog->edit(QStringLiteral("Sold_init_casa"));
        cash->setFocus();
        QTest::keyClick(cash, Qt::Key_Insert);
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{onlyOneRecord});
        EXPECT_EQ(dialog->parameters()->recordCount(), 1);
        validate(*dialog);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT count(*) FROM Contor")).toInt(),
                  1);
    }

    dialogs.shown.clear();
    Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Contor"));
    auto dialog = open();
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("warning")),
        QStringList{QStringLiteral("Parametrii aplicatiei lipsesc din baza de date (tabela Contor nu are "
                                   "nicio inregistrare) si nu pot fi modificati.")});
    TDBEditNormal* cash = dialog->edit(QStringLiteral("Sold_init_casa"));
    EXPECT_TRUE(cash->text().isEmpty());
    EXPECT_TRUE(cash->isReadOnly());
    cash->setFocus();
    QTest::keyClicks(cash, QStringLiteral("5"));
    EXPECT_TRUE(cash->text().isEmpty());
    EXPECT_EQ(dialogs.shown.size(), 1) << "said once, when the window opens";
    validate(*dialog);
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT count(*) FROM Contor")).toInt(), 0);
}

TEST_F(Parameters, ARefusedValueKeepsTheDialogOpen)
{
    auto dialog = open();
    TDBEditNormal* price = dialog->edit(QStringLiteral("PretOut"));
    price->setFocus();
    QTest::keyClicks(price, QStringLiteral("doi lei"));
    validate(*dialog);
    QApplication::processEvents();
    EXPECT_TRUE(dialog->isVisible());
    // Said once, on leaving the input; the post that follows the click refuses quietly.
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList{QStringLiteral("\"doi lei\" nu este un numar (campul PretOut)")});
    EXPECT_EQ(QApplication::focusWidget(), price);
    EXPECT_EQ(price->text(), QStringLiteral("doi lei"));
    EXPECT_FALSE(QFile::exists(folder.file(ProgramOptions::fileName)));
}

TEST_F(Parameters, DocumentKindsAreEditedInTheirGrid)
{
    auto dialog = open();
    TDBGridNormal* grid = dialog->kindsGrid();
    grid->setFocus();
    dialog->documentKinds()->last();
    QWidget* editor = grid->cellEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Down); // appends a row below the last one
    QTest::keyClicks(grid->cellEditor(), QStringLiteral("NIR"));
    validate(*dialog);
    EXPECT_EQ(Sql::scalar(Connection::database(),
                          QStringLiteral("SELECT Denumire FROM Tip_doc ORDER BY rowid DESC"))
                  .toString(),
              QStringLiteral("NIR"));
}

// A kind corrected in its cell is stored by "&Valideaza" pressed while the cell is still being typed in.
TEST_F(Parameters, ValideazaStoresTheDocumentKindBeingTyped)
{
    const QString first = QStringLiteral("SELECT Denumire FROM Tip_doc ORDER BY rowid");
    const QString kind = Sql::scalar(Connection::database(), first).toString();
    auto dialog = open();
    TDBGridNormal* grid = dialog->kindsGrid();
    grid->setFocus();
    dialog->documentKinds()->first();
    ASSERT_NE(grid->cellEditor(), nullptr);
    QTest::keyClicks(grid->cellEditor(), QStringLiteral(" nou"));
    validate(*dialog);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Sql::scalar(Connection::database(), first).toString(), kind + QStringLiteral(" nou"));
}

TEST_F(Parameters, ThePhotoIsReplacedOnlyWhenTheNewOneIsCopied)
{
    const QString oldPhoto = folder.file(QStringLiteral("poza.jpg"));
    folder.write(QStringLiteral("poza.jpg"), "poza veche");
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkBlue);
    const QString chosen = folder.file(QStringLiteral("biserica.jpg"));
    ASSERT_TRUE(picture.save(chosen, "JPEG"));
    auto dialog = open();

    dialogs.fileAnswers << folder.file(QStringLiteral("lipseste.jpg"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Poza")), Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(QStringLiteral("openFile")),
              QStringList{"Selectati poza pentru personalizare|JPEG Image File (*.jpg)"});
    ASSERT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error"))
                    .first()
                    .startsWith(QStringLiteral("Error opening source file")));
    QFile kept(oldPhoto);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("poza veche"));
    kept.close();

    dialogs.fileAnswers << chosen;
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Poza")), Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(QStringLiteral("information")),
              QStringList{"Pentru a salva modificarile facute referitoare la imaginea aleasa, inchideti si "
                          "reporniti aplicatia!"});
    EXPECT_EQ(QImage(oldPhoto).size(), QSize(40, 30));

    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("Poza")), Qt::LeftButton); // cancelled
    EXPECT_EQ(dialogs.texts(QStringLiteral("information")).size(), 1);
}

TEST_F(Parameters, OpensFromTheMainWindowWithItsSwitches)
{
    folder.write(ProgramOptions::fileName,
                 "[Options]\nFoloseste nume compus pe rapoarte=1\nTipareste chitanta=1\n");
    Connection::close();
    TMainFrm mainWindow;
    bool compoundShown = false;
    bool receiptShown = false;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<TParamAplicFrm*>(QApplication::activeModalWidget())) {
            compoundShown = dialog->compoundNamesBox()->isChecked();
            receiptShown = dialog->printReceiptBox()->isChecked();
            dialog->close();
        }
    });
    mainWindow.command(QStringLiteral("ParametriAplicatiei"))->trigger();
    EXPECT_TRUE(compoundShown);
    EXPECT_TRUE(receiptShown);
}
