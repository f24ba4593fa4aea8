#include "core/QtRomanian.h"
#include "widgets/BrowseFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace
{

// Installs the translation for one test and takes it away again.
class QtRomanianTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(QCoreApplication::installTranslator(&romanian)); }
    void TearDown() override { QCoreApplication::removeTranslator(&romanian); }

    QtRomanian romanian;
};

} // namespace

TEST_F(QtRomanianTest, StandardButtonsSpeakRomanian)
{
    QMessageBox question(QMessageBox::Question, QStringLiteral("Confirmare"), QStringLiteral("Stergeti?"),
                         QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(question.button(QMessageBox::Yes)->text(), QStringLiteral("&Da"));
    EXPECT_EQ(question.button(QMessageBox::No)->text(), QStringLiteral("&Nu"));

    const struct {
        QDialogButtonBox::StandardButton button;
        const char* text;
    } cases[] = {
        {QDialogButtonBox::Ok, "OK"},         {QDialogButtonBox::Cancel, "Renunta"},
        {QDialogButtonBox::Close, "Inchide"}, {QDialogButtonBox::Open, "Deschide"},
        {QDialogButtonBox::Save, "Salveaza"}, {QDialogButtonBox::Yes, "&Da"},
        {QDialogButtonBox::No, "&Nu"},        {QDialogButtonBox::Apply, "Aplica"},
    };
    for (const auto& c : cases) {
        QDialogButtonBox box(c.button);
        EXPECT_EQ(box.button(c.button)->text(), QString::fromLatin1(c.text)) << c.text;
    }
}

TEST_F(QtRomanianTest, DialogTextsSpeakRomanianAndTheRestStaysAsQtHasIt)
{
    QFileSystemModel files;
    EXPECT_EQ(files.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Nume"));
    EXPECT_EQ(files.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Data modificarii"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("&Nume fisier:"));
    EXPECT_EQ(QCoreApplication::translate("QFontDialog", "Select Font"), QStringLiteral("Alegeti fontul"));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "&Print"), QStringLiteral("&Tipareste"));
    EXPECT_EQ(QCoreApplication::translate("QPageSetupWidget", "Landscape"), QStringLiteral("Peisaj"));
    // A text the program does not carry, or the same text in another context, is left alone.
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Something new"), QStringLiteral("Something new"));
    EXPECT_EQ(QCoreApplication::translate("Lumivaret", "Cancel"), QStringLiteral("Cancel"));
}

// The folder browser of the backups names its only kind of entry in Romanian.
TEST_F(QtRomanianTest, TheFolderBrowserSpeaksRomanian)
{
    TBrowseFolder browser(QStringLiteral("Selecteaza folderul pentru salvarea datelor"), QDir::tempPath());
    QStringList kinds;
    for (const QComboBox* box : browser.findChildren<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < box->count(); ++i)
            kinds << box->itemText(i);
    EXPECT_EQ(kinds, QStringList{QStringLiteral("Foldere")});
}

TEST(QtRomanian, InstalledOnceForTheApplication)
{
    installQtRomanian();
    installQtRomanian();
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Renunta"));
}
