#pragma once

#include "support/ScriptedDialogs.h"

#include <QLabel>
#include <QStringList>
#include <QWidget>
#include <ostream>

class TVenituriFrm;

// A clerk at the incomes window: opens it, types a donation from the
// keyboard and clicks "&Salveaza", with the dialogs answered from a script.
// The windows are closed before the object goes.
class IncomeEntry
{
public:
    IncomeEntry();
    ~IncomeEntry();

    TVenituriFrm* open();
    // Types number, income type 7 (donation), amount and explanation; and
    // the date's digits (ddmmyyyy) when given, else today stays.
    void typeDonation(const QString& number, const QString& amount, const QString& explanation,
                      const QString& dateDigits = {});
    // Clicks "&Salveaza"; returns the error messages it brought.
    QStringList save();
    // What the window shows in number, amount and explanation.
    QStringList shown() const;
    void closeWindows();

    ScriptedDialogs dialogs;

private:
    static void typeOver(QWidget* input, const QString& text);

    TVenituriFrm* m_window = nullptr;
    QWidget m_owner;
    QLabel m_status;
};

// The stored incomes, one line of text per row in rowid order.
QStringList storedIncomes();

// True when the database file opens on its own and passes SQLite's integrity check.
bool databaseIsSound(const QString& databaseFile);

// Messages shown as text when a test fails.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
