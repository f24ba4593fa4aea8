// The Debian package as a parish computer gets it: packed from this build
// tree and checked (lintian, desktop entry, AppStream), then unpacked and its
// program run over a small database.
#include "db/Connection.h"
#include "support/Documents.h"
#include "support/ProgramRun.h"
#include "support/TestFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

struct CommandResult {
    int exitCode = -1;
    QString output;
};

CommandResult runCommand(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(300000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

} // namespace

TEST(Package, IsBuiltCheckedAndItsProgramRunsFromTheUnpackedFiles)
{
    const QString dist = QStringLiteral(LUMIVARET_BUILD_FOLDER "/dist");
    QDir(dist).removeRecursively();
    const CommandResult packed =
        runCommand(QStringLiteral("bash"), {QStringLiteral(LUMIVARET_SOURCE_FOLDER "/scripts/check-package.sh"),
                                            QStringLiteral(LUMIVARET_BUILD_FOLDER), dist});
    ASSERT_EQ(packed.exitCode, 0) << packed.output.toStdString();
    const QString deb = dist + QStringLiteral("/lumivaret_" LUMIVARET_VERSION "_amd64.deb");
    ASSERT_TRUE(QFile::exists(deb)) << packed.output.toStdString();

    QTemporaryDir unpacked;
    const CommandResult extracted = runCommand(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, unpacked.path()});
    ASSERT_EQ(extracted.exitCode, 0) << extracted.output.toStdString();
    for (const char* file :
         {"usr/bin/lumivaret", "usr/share/applications/ro.lumivaret.Lumivaret.desktop",
          "usr/share/metainfo/ro.lumivaret.Lumivaret.metainfo.xml", "usr/share/icons/hicolor/scalable/apps/lumivaret.svg",
          "usr/share/icons/hicolor/48x48/apps/lumivaret.png", "usr/share/man/man1/lumivaret.1.gz",
          "usr/share/doc/lumivaret/copyright", "usr/share/doc/lumivaret/ManualLumivaret.html"})
        EXPECT_TRUE(QFile::exists(unpacked.filePath(QString::fromLatin1(file)))) << file;
    const QString program = unpacked.filePath(QStringLiteral("usr/bin/lumivaret"));

    const ProgramOutcome version = runProgram(program, {QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral("Lumivaret " LUMIVARET_VERSION "\n"));

    TestFolder data;
    const QSqlDatabase db = data.openWorkingYear();
    Documents::setYear(db, 2024, 500, 0);
    Documents::receipt(db, 1, QStringLiteral("2024-03-02"), 120.5);
    Connection::close();
    const QString csv = data.file(QStringLiteral("casa.csv"));
    const ProgramOutcome book = runProgram(program, {QStringLiteral("--report"), QStringLiteral("registru-casa"),
                                                     QStringLiteral("--csv"), csv},
                                           QStringLiteral("ro_RO.UTF-8"), {},
                                           {{QStringLiteral("LUMIVARET_FOLDER"), data.path()}});
    EXPECT_EQ(book.exitCode, 0) << book.err.toStdString();
    const QStringList lines = textFileLines(csv);
    EXPECT_GE(lines.size(), 2);
    EXPECT_TRUE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("120,50"))) << lines.join('\n').toStdString();
}
