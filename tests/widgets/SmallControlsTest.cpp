#include "core/DesktopShell.h"
#include "db/Dataset.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/BrowseFolder.h"
#include "widgets/DBPos.h"
#include "widgets/Linklab.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{

struct FakeShell : DesktopShell {
    FakeShell() { setDesktopShell(this); }
    ~FakeShell() override { setDesktopShell(nullptr); }
    bool open(const QString& target) override
    {
        opened << target;
        return true;
    }
    QStringList opened;
};

} // namespace

TEST(LinkLabel, BuildsTheTargetFromTypeUrlAndCaption)
{
    FakeShell shell;
    TLinkLabel link;
    link.setText(QStringLiteral("parohia.ro"));
    link.urlType = TLinkLabel::utHttp;
    EXPECT_TRUE(link.open()); // without URL the caption is the target
    link.url = QStringLiteral("lumivaret.ro/ajutor");
    EXPECT_TRUE(link.open());
    link.urlTypeAdd = false;
    EXPECT_TRUE(link.open());
    link.urlEnabled = false;
    EXPECT_FALSE(link.open());
    TLinkLabel empty;
    EXPECT_FALSE(empty.open());
    EXPECT_TRUE(OpenDocument(TLinkLabel::utFile, QStringLiteral("/parohie/StatutulBOR.pdf")));
    EXPECT_EQ(shell.opened, QStringList({"http://parohia.ro", "http://lumivaret.ro/ajutor",
                                         "lumivaret.ro/ajutor", "file:///parohie/StatutulBOR.pdf"}));
    EXPECT_EQ(TLinkLabel::prefix(TLinkLabel::utWais), QStringLiteral("wais:"));
    EXPECT_EQ(TLinkLabel::prefix(TLinkLabel::utMailto), QStringLiteral("mailto:"));
}

TEST(BrowseFolderTest, ShortensLongPathsForTheStatusLine)
{
    const struct {
        const char* path;
        const char* shown;
    } cases[] = {
        {"/home/parohia/salvari/2024/x", "/home/parohia/salvari/2024/x"}, // 28 characters: whole
        {"/home/parohia/documente/salvari/anul2024/decembrie", "/.../salvari/anul2024/decembrie"},
        {"/home/parohia/documente/salvari/anul2024/decembrie-saptamana-a-doua",
         "/.../decembrie-saptamana-a-doua"},
        {"/a/b/c/d/e/un-nume-de-folder-mult-prea-lung-pentru-linie",
         "/.../un-nume-de-folder-mult-prea-lung-pentru-linie"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShortenPath(QString::fromLatin1(c.path)), QString::fromLatin1(c.shown)) << c.path;
}

TEST(BrowseFolderTest, NewDirectoryCreatesTheFolderInsideTheSelectedOne)
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    TBrowseFolder browser(QStringLiteral("Selecteaza folderul pentru salvarea datelor"),
                          dir.path() + QStringLiteral("/"));
    EXPECT_EQ(browser.windowTitle(), QStringLiteral("Selecteaza folderul pentru salvarea datelor"));
    EXPECT_EQ(browser.selectedFolder(), dir.path());
    EXPECT_EQ(browser.newDirectoryButton()->text(), QStringLiteral("Director &nou"));
    EXPECT_EQ(browser.newDirectoryButton()->width(), 100);

    dialogs.inputAnswers << QStringLiteral("Salvari/2024");
    browser.newDirectoryButton()->click();
    EXPECT_EQ(dialogs.texts(QStringLiteral("input")), QStringList{"Director nou|Dati numele directorului:"});
    EXPECT_TRUE(QFileInfo(dir.path() + QStringLiteral("/Salvari/2024")).isDir());
    EXPECT_EQ(browser.selectedFolder(), dir.path() + QStringLiteral("/Salvari/2024"));

    dialogs.inputAnswers << std::nullopt; // cancelled: nothing happens
    browser.newDirectoryButton()->click();
    browser.selectFolder(QString()); // nothing selected: nothing is created
    dialogs.inputAnswers << QStringLiteral("Altul");
    browser.newDirectoryButton()->click();
    EXPECT_FALSE(QFileInfo::exists(dir.path() + QStringLiteral("/Altul")));
    EXPECT_TRUE(dialogs.texts(QStringLiteral("error")).isEmpty());
}

TEST(BrowseFolderTest, ANewDirectoryWithoutANameIsRefusedWithAMessage)
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    TBrowseFolder browser(QStringLiteral("Selecteaza folderul pentru salvarea datelor"), dir.path());
    for (const char* name : {"", "   "}) {
        dialogs.shown.clear();
        dialogs.inputAnswers << QString::fromLatin1(name);
        browser.newDirectoryButton()->click();
        EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
                  QStringList{QStringLiteral("Dati un nume pentru directorul nou.")})
            << "[" << name << "]";
        EXPECT_EQ(browser.selectedFolder(), dir.path()) << "[" << name << "]";
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty())
            << "[" << name << "]";
    }
}

TEST(PositionBar, ShowsTheRecordNumberAndFillsItsBar)
{
    TestFolder folder;
    folder.openWorkingYear();
    Dataset types(QStringLiteral("Tip_venituri"));
    TDBPos bar;
    bar.bind(&types);
    EXPECT_EQ(bar.text(), QStringLiteral("0/0")); // closed
    types.open();
    EXPECT_EQ(bar.text(), QStringLiteral("1/18"));
    EXPECT_EQ(bar.percent(), 5);
    types.last();
    EXPECT_EQ(bar.text(), QStringLiteral("18/18"));
    EXPECT_EQ(bar.percent(), 100);

    Dataset contor(QStringLiteral("Contor"));
    TDBPos single;
    single.bind(&contor);
    contor.open();
    EXPECT_EQ(single.text(), QStringLiteral("1/1"));
    EXPECT_EQ(single.percent(), 100);

    Dataset empty(QStringLiteral("Venituri"));
    TDBPos none;
    none.bind(&empty);
    empty.open();
    EXPECT_EQ(none.text(), QStringLiteral("0/0"));
    EXPECT_EQ(none.percent(), 0);
    none.resize(160, 20);
    none.grab(); // paints without dividing by zero
}
