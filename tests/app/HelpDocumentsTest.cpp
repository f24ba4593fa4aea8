#include "app/HelpDocuments.h"
#include "app/MainUnt.h"
#include "support/FakeDesktopShell.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace
{

class HelpDocumentsTest : public ::testing::Test
{
protected:
    TestFolder folder;
    ScriptedDialogs dialogs;
    FakeDesktopShell shell;
};

} // namespace

TEST_F(HelpDocumentsTest, OpenFromTheProgramFolderOrSayWhatIsMissing)
{
    enum class Outcome { Opened, Missing, DesktopRefuses };
    const struct {
        const char* command;
        const char* file;
        Outcome outcome;
    } cases[] = {
        {"Manual", "ManualLumivaret.html", Outcome::Opened},
        {"StatutulBOR", "StatutulBOR.pdf", Outcome::Opened},
        {"StatutulBOR", "StatutulBOR.pdf", Outcome::Missing},
        {"Manual", "ManualLumivaret.html", Outcome::DesktopRefuses},
    };
    TMainFrm window;
    window.show();
    for (const auto& c : cases) {
        const QString file = QString::fromLatin1(c.file);
        const QString path = folder.file(file);
        SCOPED_TRACE(path.toStdString());
        QFile::remove(path);
        if (c.outcome != Outcome::Missing)
            folder.write(file, "document");
        dialogs.shown.clear();
        shell.opened.clear();
        shell.accepts = c.outcome != Outcome::DesktopRefuses;

        window.command(QString::fromLatin1(c.command))->trigger();
        EXPECT_EQ(shell.opened, c.outcome == Outcome::Missing ? QStringList{} : QStringList{path});
        switch (c.outcome) {
        case Outcome::Opened:
            EXPECT_EQ(dialogs.everything(), QStringList{});
            break;
        case Outcome::Missing:
            EXPECT_EQ(dialogs.everything(),
                      QStringList{QStringLiteral("warning: Fisierul %1 nu a fost gasit in directorul "
                                                 "programului (%2).")
                                      .arg(file, QDir::toNativeSeparators(folder.path()))});
            break;
        case Outcome::DesktopRefuses:
            EXPECT_EQ(dialogs.everything(),
                      QStringList{QStringLiteral("warning: Fisierul %1 nu poate fi deschis.")
                                      .arg(QDir::toNativeSeparators(path))});
            break;
        }
    }
}

// The manual built with the program: beside the executable of the build tree
// or of a copy, or among the installed documents; where none is found the
// message names every folder looked in.
TEST_F(HelpDocumentsTest, TheManualIsFoundBesideTheProgramOrAmongTheInstalledDocuments)
{
    EXPECT_EQ(HelpDocuments::manualFolders(QStringLiteral("/home/preot/Lumivaret/"), QStringLiteral("/usr/bin")),
              QStringList({"/home/preot/Lumivaret", "/usr/bin", "/usr/share/doc/lumivaret"}));
    EXPECT_EQ(HelpDocuments::manualFolders(QStringLiteral("/home/preot/Lumivaret/"),
                                           QStringLiteral("/home/preot/Lumivaret")),
              QStringList({"/home/preot/Lumivaret", "/home/preot/share/doc/lumivaret"}));

    TMainFrm window;
    window.show();
    window.command(QStringLiteral("Manual"))->trigger();
    const QStringList folders = HelpDocuments::manualFolders(folder.path(), QCoreApplication::applicationDirPath());
    ASSERT_EQ(dialogs.everything().size(), 1);
    EXPECT_TRUE(dialogs.everything().first().startsWith(
        QStringLiteral("warning: Manualul programului (ManualLumivaret.html) nu a fost gasit")));
    for (const QString& searched : folders)
        EXPECT_TRUE(dialogs.everything().first().contains(QDir::toNativeSeparators(searched)));
    EXPECT_TRUE(shell.opened.isEmpty());

    // The page the build made holds every chapter of the manual.
    QFile built(QStringLiteral(LUMIVARET_MANUAL_FILE));
    ASSERT_TRUE(built.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(built.readAll());
    for (const char* chapter : {"Pornirea programului", "Primii pași", "Documentele", "Rapoartele",
                                "Trecerea la an nou", "Salvarea și restaurarea datelor", "Linia de comandă"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(chapter))) << chapter;
}
