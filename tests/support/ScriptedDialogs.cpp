#include "support/ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogs(nullptr);
}

QStringList ScriptedDialogs::texts(const QString& kind) const
{
    QStringList result;
    for (const Shown& s : shown)
        if (s.kind == kind)
            result << s.text;
    return result;
}

QStringList ScriptedDialogs::everything() const
{
    QStringList result;
    for (const Shown& s : shown)
        result << s.kind + QStringLiteral(": ") + s.text;
    return result;
}

void ScriptedDialogs::information(const QString& text)
{
    shown.append({QStringLiteral("information"), text});
}
void ScriptedDialogs::warning(const QString& text)
{
    shown.append({QStringLiteral("warning"), text});
}
void ScriptedDialogs::error(const QString& text)
{
    shown.append({QStringLiteral("error"), text});
}

bool ScriptedDialogs::question(const QString& text)
{
    shown.append({QStringLiteral("question"), text});
    return answers.isEmpty() ? false : answers.takeFirst();
}

QString ScriptedDialogs::openFileName(const QString& title, const QString& filter, const QString&)
{
    shown.append({QStringLiteral("openFile"), title + QLatin1Char('|') + filter});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedDialogs::saveFileName(const QString& title, const QString& filter, const QString&)
{
    shown.append({QStringLiteral("saveFile"), title + QLatin1Char('|') + filter});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

QString ScriptedDialogs::folderName(const QString& title, const QString&)
{
    shown.append({QStringLiteral("folder"), title});
    return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::inputText(const QString& title, const QString& prompt, const QString&)
{
    shown.append({QStringLiteral("input"), title + QLatin1Char('|') + prompt});
    return inputAnswers.isEmpty() ? std::nullopt : inputAnswers.takeFirst();
}

std::optional<QString> ScriptedDialogs::inputPassword(const QString& title, const QString& prompt)
{
    shown.append({QStringLiteral("password"), title + QLatin1Char('|') + prompt});
    return passwordAnswers.isEmpty() ? std::nullopt : passwordAnswers.takeFirst();
}

std::optional<QDate> ScriptedDialogs::pickDate(const QDate& initial)
{
    shown.append({QStringLiteral("date"), initial.toString(Qt::ISODate)});
    return dateAnswers.isEmpty() ? std::nullopt : dateAnswers.takeFirst();
}

std::optional<std::pair<QDate, QDate>> ScriptedDialogs::pickInterval(const QDate& from, const QDate& to)
{
    shown.append({QStringLiteral("interval"),
                  from.toString(Qt::ISODate) + QLatin1Char('|') + to.toString(Qt::ISODate)});
    return intervalAnswers.isEmpty() ? std::nullopt : intervalAnswers.takeFirst();
}

bool ScriptedDialogs::printSetup(QWidget*)
{
    shown.append({QStringLiteral("printSetup"), QString()});
    if (onPrintSetup)
        onPrintSetup();
    return printSetupAnswers.isEmpty() ? true : printSetupAnswers.takeFirst();
}

std::optional<QFont> ScriptedDialogs::pickFont(const QFont& font)
{
    shown.append({QStringLiteral("font"), font.family()});
    return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.takeFirst();
}
