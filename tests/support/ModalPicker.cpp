#include "support/ModalPicker.h"

#include "catalogues/CatalogWindow.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

void whilePickerShown(const std::function<void(TCatalogFrm*)>& drive, const std::function<void()>& open)
{
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<TCatalogFrm*>(QApplication::activeModalWidget());
        if (!picker) {
            ADD_FAILURE() << "no picker is shown";
            return;
        }
        driven = true;
        QApplication::setActiveWindow(picker);
        EXPECT_TRUE(QTest::qWaitForWindowActive(picker));
        drive(picker);
        if (picker->isVisible())
            QTimer::singleShot(0, picker, [picker] { picker->reject(); });
    });
    open();
    EXPECT_TRUE(driven);
}
