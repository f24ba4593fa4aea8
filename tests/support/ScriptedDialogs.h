#pragma once

#include "core/UserDialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

// Answers the program's dialogs from a script and records what they showed.
// Installed for its lifetime.
class ScriptedDialogs : public UserDialogs
{
public:
    struct Shown {
        QString kind; // "information", "warning", "error", "question", "openFile", "folder", "input", "password"
        QString text;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    QList<Shown> shown;
    QList<bool> answers;     // for questions, in order; "Nu" when none is left
    QStringList fileAnswers; // for file and folder pickers; cancel when none is left
    QList<std::optional<QString>> inputAnswers;
    QList<std::optional<QString>> passwordAnswers; // cancel when none is left
    QList<std::optional<QDate>> dateAnswers; // cancel when none is left
    QList<std::optional<std::pair<QDate, QDate>>> intervalAnswers;
    int beeps = 0;
    QList<bool> printSetupAnswers; // confirm when none is left
    std::function<void()> onPrintSetup;
    QList<std::optional<QFont>> fontAnswers;

    QStringList texts(const QString& kind) const;
    // "kind: text" of every dialog shown, in order.
    QStringList everything() const;

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
    void beep() override { ++beeps; }
    bool printSetup(QWidget* owner) override;
    std::optional<QFont> pickFont(const QFont& font) override;
};
