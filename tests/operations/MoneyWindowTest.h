#pragma once

#include "operations/MoneyDocumentWindow.h"
#include "support/FakePrinter.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/DBNavigator.h"

#include <QLabel>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

class BoundLineEdit;

// The incomes and expenses windows on a working-year database with the
// delivered types and candle prices of 2.5 (sold) and 0.5 (bought), typed
// into from the keyboard; the dialogs are answered from a script, printing
// goes to a fake printer and the status line is a label of the test.
class MoneyWindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // What every test finds once the working year's database is open.
    void prepare();

    // The printed pages' texts, job after job.
    QStringList printedTexts() const;

    // The window of its command: shown, active, on its fresh document.
    template <class Window> Window* open()
    {
        auto* window = showDocumentWindow<Window>(&owner);
        activate(window);
        return window;
    }
    static void activate(QWidget* window);

    // Keys go to the focused control, as the user's keys do.
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void type(const QString& text);
    // Puts the focus into the input and types over what it shows.
    static void typeOver(QWidget* input, const QString& text);
    // Types the digits of a date (ddmmyyyy) over the date input.
    static void typeDate(MoneyDocumentWindow* window, const QString& digits);
    static void click(QWidget* button);
    static void press(MoneyDocumentWindow* window, TDBNavigator::Button button);
    // Ctrl+Enter in the input with `typed` in it, then, in the picker that
    // opens on that code, `rowsDown` rows down and Enter.
    static void pickWithCtrlEnter(BoundLineEdit* input, const QString& typed, int rowsDown = 0);
    static QWidget* focused();

    static void addParishioner(const QString& code, const QString& name);
    static QString lastYear() { return QString::number(QDate::currentDate().year() - 1); }
    static QString thisYear() { return QString::number(QDate::currentDate().year()); }
    static QString wrongYearMessage(const QString& start, const QString& year);

    TestFolder folder;
    ScriptedDialogs dialogs;
    FakePrinter printer;
    QLabel status;
    QWidget owner;
};
