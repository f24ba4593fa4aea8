#include "support/ScriptedDialogs.h"
#include "widgets/DateEdit.h"
#include "widgets/Intrvdlg.h"
#include "widgets/Pickdate.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace
{

// Shows a widget and waits until it can take keys.
void showActive(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

// The words of a refused typed date.
QString invalidDateWarning(const QString& typed)
{
    return QStringLiteral("\"%1\" nu este o data calendaristica. Scrieti ziua, luna si anul, "
                          "de exemplu 15.03.2024.")
        .arg(typed);
}

} // namespace

TEST(DateEditTest, StartsOnTodayAndRefusesAnInvalidDateKeepingTheTyping)
{
    ScriptedDialogs dialogs;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* date = new TDateEdit(&window);
    auto* other = new TDateEdit(&window);
    layout->addWidget(date);
    layout->addWidget(other);
    showActive(&window);
    EXPECT_EQ(date->date(), QDate::currentDate());
    EXPECT_EQ(date->inputMask(), QStringLiteral("99.99.9999;_"));

    date->setDate(QDate(2024, 1, 10));
    date->setFocus();
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("31022024"));
    EXPECT_EQ(date->text(), QStringLiteral("31.02.2024"));
    other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{invalidDateWarning("31.02.2024")});
    EXPECT_EQ(date->text(), QStringLiteral("31.02.2024")) << "the typing stays to be corrected";
    EXPECT_EQ(QApplication::focusWidget(), date);
    EXPECT_EQ(date->selectedText(), date->text());
    EXPECT_EQ(date->date(), QDate(2024, 1, 10)) << "the last valid date, nothing else";

    QTest::keyClicks(date, QStringLiteral("29022024"));
    other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), other);
    EXPECT_EQ(date->date(), QDate(2024, 2, 29));
    EXPECT_EQ(dialogs.shown.size(), 1);
}

TEST(DateEditTest, CtrlEnterOpensTheCalendarOnTheTypedDate)
{
    ScriptedDialogs dialogs;
    TDateEdit date;
    showActive(&date);
    date.setDate(QDate(2024, 5, 1));
    date.selectAll();
    QTest::keyClicks(&date, QStringLiteral("07052024"));
    dialogs.dateAnswers << QDate(2024, 6, 30);
    QTest::keyClick(&date, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(dialogs.texts(QStringLiteral("date")), QStringList{"2024-05-07"});
    EXPECT_EQ(date.date(), QDate(2024, 6, 30));
    EXPECT_EQ(date.text(), QStringLiteral("30.06.2024"));
}

TEST(CalendarPicker, PagesByMonthAndAnswersTheChosenDay)
{
    TBrDateForm picker(QDate(2024, 3, 15));
    showActive(&picker);
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Selecteaza data"));
    EXPECT_EQ(picker.title(), QStringLiteral("martie, 2024"));
    EXPECT_EQ(picker.calendar()->firstDayOfWeek(), Qt::Monday);
    QWidget* grid = QApplication::focusWidget();
    ASSERT_NE(grid, nullptr);
    QTest::keyClick(grid, Qt::Key_PageDown);
    EXPECT_EQ(picker.date(), QDate(2024, 4, 15));
    EXPECT_EQ(picker.title(), QStringLiteral("aprilie, 2024"));
    QTest::keyClick(grid, Qt::Key_PageUp);
    QTest::keyClick(grid, Qt::Key_PageUp);
    EXPECT_EQ(picker.date(), QDate(2024, 2, 15));
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(picker.date(), QDate(2024, 2, 16));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.date(), QDate(2024, 2, 16));
}

TEST(CalendarPicker, EscapeCancels)
{
    TBrDateForm picker{QDate()};
    showActive(&picker);
    EXPECT_EQ(picker.date(), QDate::currentDate());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(picker.result(), QDialog::Rejected);
}

TEST(IntervalDialog, RefusesAnInvertedPeriodHoweverConfirmed)
{
    ScriptedDialogs dialogs;
    TIntervalDlg dialog(QDate(2024, 3, 10), QDate(2024, 3, 1));
    showActive(&dialog);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Setati intervalul dorit:"));
    EXPECT_EQ(QApplication::focusWidget(), dialog.fromInput());
    const QString warning = QStringLiteral("Intervalul de timp nu este corect! 01.03.2024 < 10.03.2024");

    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Deschide")), Qt::LeftButton);
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{warning});
    EXPECT_TRUE(dialog.isVisible());

    QTest::keyClick(dialog.fromInput(), Qt::Key_Return); // moves to the second input
    EXPECT_EQ(QApplication::focusWidget(), dialog.toInput());
    QTest::keyClick(dialog.toInput(), Qt::Key_Return); // acts as "&Deschide"
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList({warning, warning}));
    EXPECT_TRUE(dialog.isVisible());

    dialog.toInput()->setDate(QDate(2024, 3, 10)); // equal dates are a period
    QTest::keyClick(dialog.toInput(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.from(), QDate(2024, 3, 10));
    EXPECT_EQ(dialog.to(), QDate(2024, 3, 10));
}

// Alt+D belongs both to "De la data de" and to "Deschide": it goes to the
// date first, then to the button, and never opens the report by itself.
TEST(IntervalDialog, AltDGoesToTheFirstDateBeforeTheOpenButton)
{
    ScriptedDialogs dialogs;
    TIntervalDlg dialog(QDate(2024, 1, 1), QDate(2024, 3, 31));
    showActive(&dialog);
    dialog.toInput()->setFocus();
    QTest::keyClick(dialog.toInput(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dialog.fromInput());
    QTest::keyClick(dialog.fromInput(), Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), dialog.findChild<QPushButton*>(QStringLiteral("Deschide")));
    EXPECT_TRUE(dialog.isVisible());
}

// A date that cannot be read never lets the period through as another date:
// the dialog stays, says why once, and keeps the typing in the input.
TEST(IntervalDialog, AnInvalidTypedDateIsNeverReplacedByAnother)
{
    const struct {
        bool inFirst;
        const char* typed;
        bool byClick; // "&Deschide" clicked, else Enter in the input
    } cases[] = {
        {false, "31022024", false}, {false, "31022024", true}, {true, "00132024", false},
        {true, "01012", true},      {false, "", false},
    };
    for (const auto& c : cases) {
        const std::string where =
            std::string(c.inFirst ? "first " : "second ") + c.typed + (c.byClick ? " click" : " Enter");
        ScriptedDialogs dialogs;
        TIntervalDlg dialog(QDate(2024, 1, 1), QDate(2024, 12, 31));
        showActive(&dialog);
        TDateEdit* input = c.inFirst ? dialog.fromInput() : dialog.toInput();
        input->setFocus();
        input->selectAll();
        QTest::keyClick(input, Qt::Key_Delete);
        input->setCursorPosition(0);
        QTest::keyClicks(input, QString::fromLatin1(c.typed));
        const QString shown = input->displayText();
        if (c.byClick)
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Deschide")), Qt::LeftButton);
        else // in the first input: on to the second; in the second: as "&Deschide"
            QTest::keyClick(input, Qt::Key_Return);
        QApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible()) << where;
        EXPECT_NE(dialog.result(), QDialog::Accepted) << where;
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")), QStringList{invalidDateWarning(shown)}) << where;
        EXPECT_EQ(input->displayText(), shown) << where;
        EXPECT_EQ(QApplication::focusWidget(), input) << where;
    }
}

TEST(IntervalDialog, CloseGivesNoPeriod)
{
    ScriptedDialogs dialogs;
    TIntervalDlg dialog(QDate(2024, 1, 1), QDate(2024, 12, 31));
    showActive(&dialog);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Inchide")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// A day or month of one digit ends at the separator typed after it, over any
// date shown: 1.1.2024 is 1 January, never 11 December.
TEST(DateEditTest, TheSeparatorEndsAOneDigitDayOrMonth)
{
    ScriptedDialogs dialogs;
    const struct {
        QDate shown;
        QString typed;
        QDate read;
    } cases[] = {
        {QDate(2026, 12, 11), QStringLiteral("1.1.2024"), QDate(2024, 1, 1)},
        {QDate(2026, 12, 11), QStringLiteral("2.1.2024"), QDate(2024, 1, 2)},
        {QDate(2026, 12, 11), QStringLiteral("5.11.2024"), QDate(2024, 11, 5)},
        {QDate(2026, 12, 11), QStringLiteral("15.3.2024"), QDate(2024, 3, 15)},
        {QDate(2026, 12, 11), QStringLiteral("05.03.2024"), QDate(2024, 3, 5)},
        {QDate(2024, 3, 3), QStringLiteral("05032025"), QDate(2025, 3, 5)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        TDateEdit date;
        showActive(&date);
        date.setDate(c.shown);
        date.setFocus();
        date.setCursorPosition(0);
        QTest::keyClicks(&date, c.typed);
        EXPECT_EQ(date.date(), c.read);
        // The same typed over the whole date selected, as entering the input by Tab leaves it.
        date.setDate(c.shown);
        date.selectAll();
        QTest::keyClicks(&date, c.typed);
        EXPECT_EQ(date.date(), c.read) << "over the selected date";
        EXPECT_TRUE(dialogs.shown.isEmpty());
    }
}
