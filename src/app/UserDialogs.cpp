#include "app/UserDialogs.h"

#include "printing/Qprndlg.h"
#include "widgets/BrowseFolder.h"
#include "widgets/Intrvdlg.h"
#include "widgets/Pickdate.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace
{

UserDialogs* installed = nullptr;

QWidget* dialogParent()
{
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    return QApplication::activeWindow();
}

int showBox(QMessageBox::Icon icon, const QString& title, const QString& text, bool yesNo)
{
    QMessageBox box(icon, title, text, QMessageBox::NoButton, dialogParent());
    if (yesNo) {
        box.addButton(QStringLiteral("&Da"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nu"), QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
    } else {
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    box.exec();
    return box.buttonRole(box.clickedButton());
}

} // namespace

UserDialogs& dialogs()
{
    static QtUserDialogs real;
    return installed ? *installed : real;
}

void setDialogs(UserDialogs* replacement)
{
    installed = replacement;
}

void QtUserDialogs::information(const QString& text)
{
    showBox(QMessageBox::Information, QStringLiteral("Informatie"), text, false);
}

void QtUserDialogs::warning(const QString& text)
{
    showBox(QMessageBox::Warning, QStringLiteral("Atentie"), text, false);
}

void QtUserDialogs::error(const QString& text)
{
    showBox(QMessageBox::Critical, QStringLiteral("Eroare"), text, false);
}

bool QtUserDialogs::question(const QString& text)
{
    return showBox(QMessageBox::Question, QStringLiteral("Confirmare"), text, true) == QMessageBox::YesRole;
}

QString QtUserDialogs::openFileName(const QString& title, const QString& filter, const QString& folder)
{
    return QFileDialog::getOpenFileName(dialogParent(), title, folder, filter);
}

QString QtUserDialogs::saveFileName(const QString& title, const QString& filter, const QString& folder)
{
    return QFileDialog::getSaveFileName(dialogParent(), title, folder, filter);
}

QString QtUserDialogs::folderName(const QString& title, const QString& folder)
{
    TBrowseFolder browser(title, folder, dialogParent());
    return browser.execute() ? browser.chosenDirectory() : QString();
}

std::optional<QString> QtUserDialogs::inputText(const QString& title, const QString& prompt,
                                                const QString& initial)
{
    QInputDialog input(dialogParent());
    input.setWindowTitle(title);
    input.setLabelText(prompt);
    input.setTextValue(initial);
    input.setOkButtonText(QStringLiteral("OK"));
    input.setCancelButtonText(QStringLiteral("Renunta"));
    if (input.exec() != QDialog::Accepted)
        return std::nullopt;
    return input.textValue();
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

void QtUserDialogs::beep()
{
    QApplication::beep();
}

bool QtUserDialogs::printSetup(QWidget* owner)
{
    return ShowPrintSetup(owner);
}

std::optional<QFont> QtUserDialogs::pickFont(const QFont& font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, dialogParent(), QStringLiteral("Font"));
    if (!ok)
        return std::nullopt;
    return chosen;
}
