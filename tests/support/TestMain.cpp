#include "app/QtUserDialogs.h"
#include "app/UpdateServer.h"
#include "core/ErrorGuard.h"
#include "journal/ChangeJournal.h"
#include "support/LocalHttpServer.h"

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
    // Every write of the tests is journaled and checked against the period lock, as in the program.
    ChangeJournal::install();
    // Tests read numbers and dates as a Romanian desktop shows them.
    QLocale::setDefault(QLocale(QLocale::Romanian, QLocale::Romania));
    // The main window's update check at start never leaves this computer.
    updateServer().address = LocalHttpServer::refusingAddress();
    return RUN_ALL_TESTS();
}
