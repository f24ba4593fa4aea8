#include "support/PreviewDriver.h"

#include "printing/ReportPreview.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace
{

// Acts on the report preview once it is shown, then closes it.
class PreviewWatcher : public QObject
{
public:
    explicit PreviewWatcher(const std::function<void(TReportPreview&)>& use) : m_use(use) {}
    bool shown = false;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* preview = qobject_cast<TReportPreview*>(object);
        if (preview && event->type() == QEvent::Show && !shown) {
            shown = true;
            // Once its modal loop runs.
            QTimer::singleShot(0, preview, [this, preview] {
                m_use(*preview);
                QTest::mouseClick(preview->findChild<QPushButton*>(QStringLiteral("Inchide")),
                                  Qt::LeftButton);
            });
        }
        return false;
    }

private:
    std::function<void(TReportPreview&)> m_use;
};

} // namespace

void withPreview(const std::function<void()>& report, const std::function<void(TReportPreview&)>& use)
{
    PreviewWatcher watcher(use);
    qApp->installEventFilter(&watcher);
    report();
    qApp->removeEventFilter(&watcher);
    EXPECT_TRUE(watcher.shown);
}
