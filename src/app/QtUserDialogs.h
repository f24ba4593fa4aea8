#pragma once

#include "core/UserDialogs.h"

// The program's dialogs: Qt's standard boxes with the program's own folder
// browser, calendar, period question and print setup.
class QtUserDialogs : public StandardDialogs
{
public:
    QString folderName(const QString& title, const QString& folder) override;
    std::optional<QDate> pickDate(const QDate& initial) override;
    std::optional<std::pair<QDate, QDate>> pickInterval(const QDate& from, const QDate& to) override;
    bool printSetup(QWidget* owner) override;
};

// Makes QtUserDialogs the standard dialogs of the program.
void installProgramDialogs();
