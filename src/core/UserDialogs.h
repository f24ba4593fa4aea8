#pragma once

#include <QDate>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

// Every message box, question, file or folder picker and input box of the
// program passes through this interface, so that tests can answer them with
// a scripted fake instead of a blocked event loop.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    virtual void information(const QString& text) = 0;
    virtual void warning(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    // "Da" gives true, "Nu" false.
    virtual bool question(const QString& text) = 0;
    // Empty when cancelled. `filter` in Qt's form: "JPEG Image File (*.jpg)".
    virtual QString openFileName(const QString& title, const QString& filter, const QString& folder) = 0;
    // Empty when cancelled.
    virtual QString saveFileName(const QString& title, const QString& filter, const QString& folder) = 0;
    // Empty when cancelled.
    virtual QString folderName(const QString& title, const QString& folder) = 0;
    // Empty optional when cancelled.
    virtual std::optional<QString> inputText(const QString& title, const QString& prompt,
                                             const QString& initial) = 0;
    // A password, its characters hidden as typed; empty optional when cancelled.
    virtual std::optional<QString> inputPassword(const QString& title, const QString& prompt) = 0;
    // The calendar picker, preset to `initial`; empty when cancelled.
    virtual std::optional<QDate> pickDate(const QDate& initial) = 0;
    // The period question, preset to the two dates; empty when closed without a period.
    virtual std::optional<std::pair<QDate, QDate>> pickInterval(const QDate& from, const QDate& to) = 0;
    // The error beep of a refused key or value.
    virtual void beep() = 0;
    // The print setup before a report; true when the user confirmed it.
    virtual bool printSetup(QWidget* owner) = 0;
    // The font picker, preset to `font`; empty when cancelled.
    virtual std::optional<QFont> pickFont(const QFont& font) = 0;
};

// The dialogs in use: those a test has put, else the program's standard ones
// (installed at start by the application), else Qt's plain boxes.
UserDialogs& dialogs();
// Installs other dialogs (the caller keeps ownership); nullptr restores the standard ones.
void setDialogs(UserDialogs* replacement);
// Installs the program's standard dialogs (the caller keeps ownership).
void setStandardDialogs(UserDialogs* standard);

// Qt's standard boxes with Romanian buttons: message boxes, questions, file
// pickers, the input box, the font picker and the beep. The program's own
// pickers (folder browser, calendar, period, print setup) are added above
// this layer, by the application.
class StandardDialogs : public UserDialogs
{
public:
    void information(const QString& text) override;
    void warning(const QString& text) override;
    void error(const QString& text) override;
    bool question(const QString& text) override;
    QString openFileName(const QString& title, const QString& filter, const QString& folder) override;
    QString saveFileName(const QString& title, const QString& filter, const QString& folder) override;
    QString folderName(const QString& title, const QString& folder) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QString> inputPassword(const QString& title, const QString& prompt) override;
    std::optional<QDate> pickDate(const QDate& initial) override;
    std::optional<std::pair<QDate, QDate>> pickInterval(const QDate& from, const QDate& to) override;
    void beep() override;
    bool printSetup(QWidget* owner) override;
    std::optional<QFont> pickFont(const QFont& font) override;

protected:
    // The window a dialog belongs to: the active modal one, else the active window.
    static QWidget* dialogParent();
};
