#include "app/MainUnt.h"
#include "support/FakeDesktopShell.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QAction>
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
        {"Manual", "HelpLumivaret.exe", Outcome::Opened},
        {"StatutulBOR", "StatutulBOR.pdf", Outcome::Opened},
        {"Manual", "HelpLumivaret.exe", Outcome::Missing},
        {"StatutulBOR", "StatutulBOR.pdf", Outcome::Missing},
        {"Manual", "HelpLumivaret.exe", Outcome::DesktopRefuses},
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
