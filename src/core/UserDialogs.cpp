#include "core/UserDialogs.h"

#include "core/UserError.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace
{

UserDialogs* installedDialogs = nullptr;
UserDialogs* standard = nullptr;

QWidget* dialogParent()
{
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    return QApplication::activeWindow();
}

// Raised when one of the program's own pickers is asked for before the
// application installed them: a fault of the program, never of the user.
[[noreturn]] void pickerMissing(const char* picker)
{
    throw UserError(
        QStringLiteral("Fereastra \"%1\" nu este disponibila in acest program").arg(QLatin1String(picker)));
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
    static StandardDialogs plain;
    if (installedDialogs)
        return *installedDialogs;
    return standard ? *standard : plain;
}

void setDialogs(UserDialogs* replacement)
{
    installedDialogs = replacement;
}

void setStandardDialogs(UserDialogs* dialogs)
{
    standard = dialogs;
}

QWidget* StandardDialogs::dialogParent()
{
    return ::dialogParent();
}

void StandardDialogs::information(const QString& text)
{
    showBox(QMessageBox::Information, QStringLiteral("Informatie"), text, false);
}

void StandardDialogs::warning(const QString& text)
{
    showBox(QMessageBox::Warning, QStringLiteral("Atentie"), text, false);
}

void StandardDialogs::error(const QString& text)
{
    showBox(QMessageBox::Critical, QStringLiteral("Eroare"), text, false);
}

bool StandardDialogs::question(const QString& text)
{
    return showBox(QMessageBox::Question, QStringLiteral("Confirmare"), text, true) == QMessageBox::YesRole;
}

QString StandardDialogs::openFileName(const QString& title, const QString& filter, const QString& folder)
{
    return QFileDialog::getOpenFileName(dialogParent(), title, folder, filter);
}

QString StandardDialogs::saveFileName(const QString& title, const QString& filter, const QString& folder)
{
    return QFileDialog::getSaveFileName(dialogParent(), title, folder, filter);
}

QString StandardDialogs::folderName(const QString& title, const QString& folder)
{
    return QFileDialog::getExistingDirectory(dialogParent(), title, folder);
}

std::optional<QString> StandardDialogs::inputText(const QString& title, const QString& prompt,
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

std::optional<QString> StandardDialogs::inputPassword(const QString& title, const QString& prompt)
{
    QInputDialog input(dialogParent());
    input.setWindowTitle(title);
    input.setLabelText(prompt);
    input.setTextEchoMode(QLineEdit::Password);
    input.setOkButtonText(QStringLiteral("OK"));
    input.setCancelButtonText(QStringLiteral("Renunta"));
    if (input.exec() != QDialog::Accepted)
        return std::nullopt;
    return input.textValue();
}

std::optional<QDate> StandardDialogs::pickDate(const QDate&)
{
    pickerMissing("Calendar");
}

std::optional<std::pair<QDate, QDate>> StandardDialogs::pickInterval(const QDate&, const QDate&)
{
    pickerMissing("Interval");
}

void StandardDialogs::beep()
{
    QApplication::beep();
}

bool StandardDialogs::printSetup(QWidget*)
{
    pickerMissing("Setare imprimanta");
}

std::optional<QFont> StandardDialogs::pickFont(const QFont& font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, dialogParent(), QStringLiteral("Font"));
    if (!ok)
        return std::nullopt;
    return chosen;
}
