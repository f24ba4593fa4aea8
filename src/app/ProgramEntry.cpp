#include "app/ProgramEntry.h"

#include "app/CommandLine.h"
#include "app/InterruptedWork.h"
#include "app/MainUnt.h"
#include "app/QtUserDialogs.h"
#include "core/ErrorGuard.h"
#include "core/ProgramFolder.h"
#include "core/QtRomanian.h"
#include "core/UserDialogs.h"
#include "core/UserError.h"

#include <QDir>
#include <QScreen>

int runProgram(int argc, char** argv)
{
    if (const std::optional<int> status = runCommandLine(argc, argv))
        return *status;
    LumivaretApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivaret"));
    QApplication::setApplicationVersion(QStringLiteral(LUMIVARET_VERSION));
    installProgramDialogs();
    installQtRomanian();
    setProgramFolder(QDir::fromNativeSeparators(QCoreApplication::applicationDirPath()));
    // The working year's tables are found relative to the program folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    try {
        finishInterruptedWork(programFolder());
    } catch (const UserError& e) {
        dialogs().error(e.text());
    }

    TMainFrm mainWindow;
    // Without a window manager "maximised" alone leaves the design size.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        mainWindow.setGeometry(screen->availableGeometry());
    mainWindow.showMaximized();
    return app.exec();
}
