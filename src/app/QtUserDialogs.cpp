#include "app/QtUserDialogs.h"

#include "printing/Qprndlg.h"
#include "widgets/BrowseFolder.h"
#include "widgets/Intrvdlg.h"
#include "widgets/Pickdate.h"

QString QtUserDialogs::folderName(const QString& title, const QString& folder)
{
    TBrowseFolder browser(title, folder, dialogParent());
    return browser.execute() ? browser.chosenDirectory() : QString();
}

std::optional<QDate> QtUserDialogs::pickDate(const QDate& initial)
{
    TBrDateForm picker(initial, dialogParent());
    if (picker.exec() != QDialog::Accepted)
        return std::nullopt;
    return picker.date();
}

std::optional<std::pair<QDate, QDate>> QtUserDialogs::pickInterval(const QDate& from, const QDate& to)
{
    TIntervalDlg dialog(from, to, dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return std::make_pair(dialog.from(), dialog.to());
}

bool QtUserDialogs::printSetup(QWidget* owner)
{
    return ShowPrintSetup(owner);
}

void installProgramDialogs()
{
    static QtUserDialogs programDialogs;
    setStandardDialogs(&programDialogs);
}
