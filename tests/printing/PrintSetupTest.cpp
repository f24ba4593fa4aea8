#include "printing/PrintSettings.h"
#include "printing/Qprndlg.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

class PrintSetup : public ::testing::Test
{
protected:
    void SetUp() override { printSettings() = PrintSettings(); }
    void TearDown() override { printSettings() = PrintSettings(); }

    // The dialog as ShowPrintSetup prepares it, shown without blocking.
    std::unique_ptr<TQRPrnDlg> open()
    {
        auto dialog = std::make_unique<TQRPrnDlg>();
        dialog->load();
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    FakePrinter printer;
    ScriptedDialogs dialogs;
};

} // namespace

TEST(PrintableMargins, RoundUpTheMinimumsAndToNearestThePaper)
{
    // A4 at 600 dpi: 4960 x 7016 pixels, 100 pixels unprintable at the left and top, 50 at the right and
    // bottom.
    const PrintableArea a = computePrintableArea(100, 100, 4960 - 150, 7016 - 150, 4960, 7016, 600, 600);
    EXPECT_EQ(a.minimumLeft, 5); // 4.23 mm
    EXPECT_EQ(a.minimumTop, 5);
    EXPECT_EQ(a.minimumRight, 3); // 2.12 mm
    EXPECT_EQ(a.minimumBottom, 3);
    EXPECT_EQ(a.paperWidth, 210);
    EXPECT_EQ(a.paperHeight, 297);
    const PrintableArea none = computePrintableArea(0, 0, 4960, 7016, 4960, 7016, 600, 600);
    EXPECT_EQ(none.minimumLeft, 0); // 0.5 rounds to the even neighbour
}

TEST_F(PrintSetup, FirstOpeningShowsTheDefaultsRaisedToThePrintableArea)
{
    printer.minimumMargin = 6;
    auto dialog = open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Setari pentru listarea rapoarte"));
    EXPECT_EQ(dialog->tabs()->tabText(0), QStringLiteral("Listare "));
    EXPECT_EQ(dialog->tabs()->tabText(1), QStringLiteral("Pagina"));
    EXPECT_FALSE(dialog->preview()->isChecked());
    EXPECT_TRUE(dialog->allPages()->isChecked());
    EXPECT_FALSE(dialog->firstPage()->isEnabled());
    EXPECT_EQ(dialog->copies()->value(), 1);
    EXPECT_EQ(dialog->top()->value(), 6);
    EXPECT_EQ(dialog->left()->value(), 6);
    EXPECT_EQ(dialog->left()->maximum(), 210);
    EXPECT_EQ(dialog->top()->maximum(), 297);
    EXPECT_EQ(dialog->printerLabel()->text(), QStringLiteral("Imprimanta de test"));
    EXPECT_TRUE(dialog->fontLabel()->text().endsWith(QStringLiteral("   10")));
    EXPECT_TRUE(dialog->chosenFont().fixedPitch());
}

TEST_F(PrintSetup, PartialListingAndPageLimits)
{
    auto dialog = open();
    dialog->somePages()->setChecked(true);
    EXPECT_TRUE(dialog->firstPage()->isEnabled());
    dialog->firstPage()->setValue(3);
    EXPECT_EQ(dialog->lastPage()->minimum(), 3);
    EXPECT_EQ(dialog->lastPage()->value(), 3);
    dialog->lastPage()->setValue(5);
    dialog->copies()->setValue(2);
    dialog->preview()->setChecked(true);
    dialog->confirm();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    dialog->store();
    const PrintSettings& s = printSettings();
    EXPECT_EQ(s.firstPage, 3);
    EXPECT_EQ(s.lastPage, 5);
    EXPECT_EQ(s.copies, 2);
    EXPECT_TRUE(s.preview);
    EXPECT_EQ(s.paper, QPageSize::A4);
}

TEST_F(PrintSetup, AMarginLeavesRoomForItsOpposite)
{
    auto dialog = open();
    dialog->left()->setValue(30);
    dialog->right()->setValue(200);
    EXPECT_EQ(dialog->right()->value(), 180);
    dialog->top()->setValue(295);
    EXPECT_EQ(dialog->top()->value(), 297 - dialog->bottom()->value());
}

TEST_F(PrintSetup, LandscapeMarginsTooWideForPortraitFallToTheMinimum)
{
    printSettings().right = 250; // chosen for a landscape report
    printSettings().orientation = QPageLayout::Portrait;
    auto dialog = open();
    EXPECT_EQ(dialog->right()->value(), 4);
}

TEST_F(PrintSetup, OrientationFollowsTheRadiosAndCancelRestoresThePrinter)
{
    auto dialog = open();
    dialog->landscape()->setChecked(true);
    EXPECT_EQ(printer.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(dialog->left()->maximum(), 297);
    dialog->reject();
    printer.setOrientation(printSettings().orientation); // what ShowPrintSetup does on cancel
    EXPECT_EQ(printer.orientation(), QPageLayout::Portrait);
}

TEST_F(PrintSetup, MarginsBelowThePrintableAreaAreOfferedToBeRaised)
{
    auto dialog = open();
    dialog->left()->setValue(2);
    dialogs.answers << true;
    dialog->confirm();
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")),
              QStringList{"Cel putin o margine este prea mica pentru a intra în zona imprimabila!\n"
                          "Doriti ajustarea marginilor respective?"});
    EXPECT_EQ(dialog->left()->value(), 4);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->tabs()->currentIndex(), 1);
    EXPECT_TRUE(dialog->left()->hasFocus());

    dialog->left()->setValue(2);
    dialogs.answers << false;
    dialog->confirm();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    dialog->store();
    EXPECT_EQ(printSettings().left, 2); // kept as typed; the report raises it when it runs
}

TEST_F(PrintSetup, FontButtonKeepsThePrinterSizes)
{
    auto dialog = open();
    QFont big(QStringLiteral("Arial"));
    big.setPointSize(72);
    dialogs.fontAnswers << big;
    dialog->chooseFont();
    EXPECT_EQ(dialog->fontLabel()->text(), QStringLiteral("Arial   48"));
    dialog->chooseFont(); // cancelled: unchanged
    EXPECT_EQ(dialog->fontLabel()->text(), QStringLiteral("Arial   48"));
}

// A clerk with the keyboard alone: Enter confirms from the fields, and Tab
// reaches "&Printeaza" right after "&Font", in the order the buttons are shown.
TEST_F(PrintSetup, TheKeyboardAloneConfirms)
{
    auto dialog = open();
    auto* font = dialog->findChild<QPushButton*>(QStringLiteral("ButonFont"));
    auto* print = dialog->findChild<QPushButton*>(QStringLiteral("Printeaza"));
    auto* close = dialog->findChild<QPushButton*>(QStringLiteral("Inchide"));
    ASSERT_TRUE(font && print && close);
    EXPECT_EQ(font->nextInFocusChain(), print);
    EXPECT_EQ(print->nextInFocusChain(), close);

    dialog->copies()->setFocus();
    QTest::keyClicks(dialog->copies(), QStringLiteral("2"));
    QTest::keyClick(dialog->copies(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());

    // Enter on "&Inchide" closes without confirming.
    auto again = open();
    auto* closeAgain = again->findChild<QPushButton*>(QStringLiteral("Inchide"));
    closeAgain->setFocus();
    QTest::keyClick(closeAgain, Qt::Key_Return);
    EXPECT_EQ(again->result(), QDialog::Rejected);
    EXPECT_FALSE(again->isVisible());
}
