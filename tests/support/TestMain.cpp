#include "app/QtUserDialogs.h"
#include "core/ErrorGuard.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    // Every main window a test starts makes its daily backup under the home
    // folder: a temporary one, never the user's.
    const QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    ::testing::InitGoogleTest(&argc, argv);
    LumivaretApplication app(argc, argv);
    installProgramDialogs();
    // Tests read numbers and dates as a Romanian desktop shows them.
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
    return RUN_ALL_TESTS();
}
