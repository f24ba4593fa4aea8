#include "app/MainUnt.h"
#include "operations/TBankMovementFrm.h"
#include "operations/TCheltuieliFrm.h"
#include "operations/TPangarInFrm.h"
#include "operations/TVenituriFrm.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

class OperationCommandsTest : public ::testing::Test
{
protected:
    TestFolder folder;
    ScriptedDialogs dialogs;
};

template <class Window> QList<Window*> windowsOf(const TMainFrm& main)
{
    return main.findChildren<Window*>();
}

} // namespace

// The menu commands and the toolbar buttons open one window each, owned by
// the main window; choosing the command again brings the same window back.
TEST_F(OperationCommandsTest, MenuAndToolbarOpenOneWindowEach)
{
    TMainFrm main;
    main.show();
    main.command(QStringLiteral("OpDepuneri"))->trigger();
    ASSERT_EQ(windowsOf<TDepuneriFrm>(main).size(), 1);
    TDepuneriFrm* deposits = windowsOf<TDepuneriFrm>(main).first();
    EXPECT_TRUE(deposits->isVisible());
    main.findChild<QAction*>(QStringLiteral("ToolbarOpDepuneri"))->trigger();
    EXPECT_EQ(windowsOf<TDepuneriFrm>(main), QList<TDepuneriFrm*>{deposits});

    main.findChild<QAction*>(QStringLiteral("ToolbarOpRidicari"))->trigger();
    main.command(QStringLiteral("OpRidicari"))->trigger();
    EXPECT_EQ(windowsOf<TRidicariFrm>(main).size(), 1);

    main.command(QStringLiteral("OpVenituri"))->trigger();
    main.findChild<QAction*>(QStringLiteral("ToolbarOpVenituri"))->trigger();
    ASSERT_EQ(windowsOf<TVenituriFrm>(main).size(), 1);
    EXPECT_TRUE(windowsOf<TVenituriFrm>(main).first()->isVisible());
    EXPECT_EQ(main.command(QStringLiteral("OpVenituri"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));

    main.findChild<QAction*>(QStringLiteral("ToolbarOpCheltuieli"))->trigger();
    main.command(QStringLiteral("OpCheltuieli"))->trigger();
    ASSERT_EQ(windowsOf<TCheltuieliFrm>(main).size(), 1);
    EXPECT_TRUE(windowsOf<TCheltuieliFrm>(main).first()->isVisible());
    EXPECT_EQ(main.command(QStringLiteral("OpCheltuieli"))->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+C")));

    main.command(QStringLiteral("PangarIntrari"))->trigger();
    main.command(QStringLiteral("PangarIntrari"))->trigger();
    ASSERT_EQ(windowsOf<TPangarInFrm>(main).size(), 1);
    EXPECT_TRUE(windowsOf<TPangarInFrm>(main).first()->isVisible());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}
