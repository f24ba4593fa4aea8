#include "widgets/ProgressWindow.h"

#include "db/DatabaseCopy.h"
#include "support/SampleData.h"
#include "support/TestFolder.h"

#include <QEvent>
#include <QProgressBar>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

// Records what the user sees of the bar each time it is painted.
class PaintWatcher : public QObject
{
public:
    explicit PaintWatcher(ProgressWindow& window) : m_window(window)
    {
        window.bar()->installEventFilter(this);
    }

    QList<int> paintedValues;
    QStringList titles;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            paintedValues << m_window.bar()->value();
            titles << m_window.windowTitle();
        }
        return false;
    }

private:
    ProgressWindow& m_window;
};

} // namespace

TEST(ProgressWindow, ShowsAComputationAdvancingToItsTotal)
{
    TestFolder folder;
    const QSqlDatabase db = folder.openWorkingYear();
    SampleData::fillYear(db, 2024, {300, 3000, 600});

    QWidget owner;
    owner.show();
    ProgressWindow progress(&owner);
    PaintWatcher watcher(progress);
    bool visibleDuringWork = false;
    QObject::connect(progress.bar(), &QProgressBar::valueChanged,
                     [&] { visibleDuringWork |= progress.isVisible(); });

    DatabaseCopy::copyTo(db, folder.file(QStringLiteral("copie.sqlite")), progress);

    EXPECT_TRUE(visibleDuringWork);
    EXPECT_FALSE(progress.isVisible()) << "the window goes when the work ends";
    EXPECT_GT(progress.bar()->maximum(), 10) << "a database of many pages";
    EXPECT_EQ(progress.bar()->value(), progress.bar()->maximum());
    EXPECT_EQ(progress.windowTitle(), DatabaseCopy::progressCaption);
    // The bar was repainted while the copy held the thread, each time further on.
    ASSERT_GT(watcher.paintedValues.size(), 2);
    EXPECT_TRUE(std::is_sorted(watcher.paintedValues.begin(), watcher.paintedValues.end()));
    EXPECT_EQ(watcher.paintedValues.last(), progress.bar()->maximum());
    EXPECT_EQ(watcher.titles.last(), QStringLiteral("Copiere baza de date"));
}

TEST(ProgressWindow, AFailedComputationStillClosesIt)
{
    ProgressWindow progress;
    try {
        ProgressScope scope(progress, QStringLiteral("Calcul registru casa- banca"), 5);
        scope.step(2);
        EXPECT_TRUE(progress.isVisible());
        EXPECT_EQ(progress.bar()->value(), 2);
        EXPECT_EQ(progress.windowTitle(), QStringLiteral("Calcul registru casa- banca"));
        throw std::runtime_error("esec");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(progress.isVisible());
}

TEST(ProgressWindow, ALongComputationMovesTheBarEachThousandthOfTheWay)
{
    ProgressWindow progress;
    QList<int> shown;
    QObject::connect(progress.bar(), &QProgressBar::valueChanged, [&](int value) { shown << value; });
    {
        ProgressScope scope(progress, QStringLiteral("Calcul registru casa- banca"), 100000);
        for (int done = 1; done <= 100000; ++done) {
            scope.step(done);
            ASSERT_LE(done - progress.bar()->value(), 100) << "the bar lags behind the work";
        }
    }
    EXPECT_EQ(progress.bar()->value(), 100000);
    EXPECT_LE(shown.size(), 1001);
}
