#include "core/QtRomanian.h"
#include "widgets/BrowseFolder.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFontDialog>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
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

namespace
{

// Stands after the Romanian translation: every text it is asked for is one
// that the translation left in Qt's English.
class EnglishLeft : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char*, int) const override
    {
        const QString text = QString::fromLatin1(context) + QStringLiteral(": ") + QString::fromUtf8(sourceText);
        // The layout direction is a setting Qt asks translators for, not a text.
        if (QByteArray(sourceText) != "QT_LAYOUT_DIRECTION" && !asked.contains(text))
            asked << text;
        return {};
    }
    bool isEmpty() const override { return false; }

    mutable QStringList asked;
};

} // namespace

// The folder picker of the backups, the font dialog, a row of tabs too long
// for its window and what a screen reader says a button does: no English left.
TEST(QtRomanianDialogs, NoEnglishIsLeftInTheDialogsTheProgramShows)
{
    EnglishLeft english;
    QtRomanian romanian;
    QCoreApplication::installTranslator(&english);
    QCoreApplication::installTranslator(&romanian); // asked first
    {
        TBrowseFolder browser(QStringLiteral("Selecteaza folderul pentru salvarea datelor"), QDir::tempPath());
        browser.show();
        QCoreApplication::processEvents();
        EXPECT_EQ(browser.newDirectoryButton()->text(), QStringLiteral("Director &nou"));
        QAccessibleInterface* status =
            QAccessible::queryAccessibleInterface(browser.findChild<QLabel*>(QStringLiteral("Status")));
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->text(QAccessible::Name), QStringLiteral("Folderul ales, valoarea"));
        EXPECT_EQ(status->text(QAccessible::Description), QDir::toNativeSeparators(QDir::tempPath()));
        browser.reject();
    }
    {
        QFontDialog fonts;
        fonts.setOption(QFontDialog::DontUseNativeDialog);
        fonts.show();
        QCoreApplication::processEvents();
        QStringList writingSystems;
        for (const QComboBox* box : fonts.findChildren<QComboBox*>())
            for (int i = 0; i < box->count(); ++i)
                writingSystems << box->itemText(i);
        EXPECT_TRUE(writingSystems.contains(QStringLiteral("Oricare")));
        fonts.reject();
    }
    {
        QTabWidget pages;
        for (const char* page : {"Enoriasi", "Membrii familiei", "Botez", "Cununie", "Inmormantare",
                                 "Contributii", "Activitati in parohie"})
            pages.addTab(new QWidget, QString::fromLatin1(page));
        pages.tabBar()->setUsesScrollButtons(true);
        pages.resize(160, 100);
        pages.show();
        QCoreApplication::processEvents();
        QStringList buttons;
        for (QToolButton* button : pages.tabBar()->findChildren<QToolButton*>())
            buttons << QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name);
        buttons.sort();
        EXPECT_EQ(buttons, QStringList({"Deruleaza la dreapta", "Deruleaza la stanga"}));
    }
    {
        QPushButton button(QStringLiteral("&Salveaza"));
        QAccessibleActionInterface* actions = QAccessible::queryAccessibleInterface(&button)->actionInterface();
        ASSERT_NE(actions, nullptr);
        for (const QString& action : actions->actionNames()) {
            EXPECT_FALSE(actions->localizedActionName(action).isEmpty());
            EXPECT_FALSE(actions->localizedActionDescription(action).isEmpty());
        }
        for (const QString& action :
             {QAccessibleActionInterface::scrollLeftAction(), QAccessibleActionInterface::scrollRightAction(),
              QAccessibleActionInterface::increaseAction(), QAccessibleActionInterface::nextPageAction()}) {
            actions->localizedActionName(action);
            actions->localizedActionDescription(action);
        }
    }
    // The file dialog's shortcuts, read from their translated texts, are still the same keys.
    EXPECT_EQ(QKeySequence(QCoreApplication::translate("QFileDialog", "Alt+Left")),
              QKeySequence(Qt::ALT | Qt::Key_Left));
    EXPECT_EQ(QKeySequence(QCoreApplication::translate("QFileDialog", "Alt+Up")), QKeySequence(Qt::ALT | Qt::Key_Up));
    QCoreApplication::removeTranslator(&romanian);
    QCoreApplication::removeTranslator(&english);
    EXPECT_TRUE(english.asked.isEmpty()) << english.asked.join(QLatin1Char('\n')).toStdString();
}
