#include "widgets/SingleInstance.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

class SingleInstanceTest : public ::testing::Test
{
protected:
    QWidget* showWindow()
    {
        return windows.show([this] {
            ++created;
            auto* window = new QWidget;
            window->setWindowTitle(QStringLiteral("Incasari"));
            return window;
        });
    }
    static void runDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    SingleInstance<QWidget> windows;
    int created = 0;
};

} // namespace

TEST_F(SingleInstanceTest, ChoosingTheCommandAgainBringsTheSameWindowForward)
{
    QWidget* first = showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(first));
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);

    EXPECT_EQ(showWindow(), first);
    EXPECT_EQ(created, 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(first));

    first->showMinimized();
    ASSERT_TRUE(first->isMinimized());
    EXPECT_EQ(showWindow(), first);
    EXPECT_FALSE(first->isMinimized()) << "restored";
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(created, 1);
    first->close();
    runDeferredDeletes();
}

TEST_F(SingleInstanceTest, ClosingFreesTheWindowAndTheNextCommandMakesANewOne)
{
    QPointer<QWidget> first = showWindow();
    EXPECT_TRUE(first->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(windows.instance(), first);

    first->close();
    EXPECT_EQ(windows.instance(), nullptr) << "gone for the user as soon as it closes";
    QWidget* second = showWindow(); // before the closed one is deleted
    EXPECT_NE(second, first.data());
    EXPECT_EQ(created, 2);
    EXPECT_TRUE(second->isVisible());

    runDeferredDeletes();
    EXPECT_TRUE(first.isNull()) << "the closed window is freed";
    EXPECT_EQ(windows.instance(), second);
    second->close();
    runDeferredDeletes();
    EXPECT_EQ(windows.instance(), nullptr);
    showWindow()->close();
    runDeferredDeletes();
    EXPECT_EQ(created, 3);
}
