#include "support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>

ProgramOutcome runProgram(const QString& program, const QStringList& arguments, const QString& locale,
                          const QString& workingFolder, const EnvironmentChanges& environment)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "LC_ALL", "LC_NUMERIC", "LANG", "LUMIVARET_FOLDER"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LC_ALL"), locale);
    for (const auto& [name, value] : environment) {
        if (value.isEmpty())
            env.remove(name);
        else
            env.insert(name, value);
    }
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingFolder.isEmpty() ? QDir::tempPath() : workingFolder);
    process.start(program, arguments);
    process.waitForFinished(60000);
    ProgramOutcome r;
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = QString::fromUtf8(process.readAllStandardOutput());
    r.err = QString::fromUtf8(process.readAllStandardError());
    return r;
}

QStringList textFileLines(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
