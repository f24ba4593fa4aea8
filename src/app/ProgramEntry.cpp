#include "app/ProgramEntry.h"

#include "app/CommandLine.h"
#include "app/InterruptedWork.h"
#include "app/MainUnt.h"
#include "app/ProtectionCommands.h"
#include "app/QtUserDialogs.h"
#include "core/ErrorGuard.h"
#include "core/FolderPresence.h"
#include "core/ProgramFolder.h"
#include "core/ProgramFolderChoice.h"
#include "core/StatusLine.h"
#include "journal/ChangeJournal.h"
#include "core/QtRomanian.h"
#include "core/UserDialogs.h"
#include "core/UserError.h"

#include <QDir>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <QFileInfo>
#include <QScreen>

namespace
{

// A book written to PDF takes and frees some megabytes per page (the page's
// drawing, its compressed stream). With the allocator's defaults each large
// block is mapped from the system and returned at once, and the heap's top is
// handed back after every page, so every page pays the system again to
// fault in zeroed memory: a fifth of the printing time of a big book. The
// program keeps up to 64 MiB of freed memory instead, and maps only blocks
// over 32 MiB on their own.
void keepFreedMemoryForReuse()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

} // namespace

int runProgram(int argc, char** argv)
{
    keepFreedMemoryForReuse();
    const CommandLineStart start = runCommandLine(argc, argv);
    if (start.exitStatus)
        return *start.exitStatus;
    LumivaretApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lumivaret"));
    QApplication::setApplicationVersion(QStringLiteral(LUMIVARET_VERSION));
    installProgramDialogs();
    installQtRomanian();
    ChangeJournal::install();
    const QString folder = chooseProgramFolder(start.folderOption);
    const bool firstStart = !QFileInfo::exists(folder);
    if (firstStart && !QDir().mkpath(folder)) {
        dialogs().error(QStringLiteral("Dosarul datelor %1 nu poate fi creat. Alegeti altul cu --folder DOSAR.")
                            .arg(QDir::toNativeSeparators(folder)));
        return 1;
    }
    setProgramFolder(folder);
    // The working year's tables are found relative to the program folder.
    QDir::setCurrent(folder);
    FolderPresence::enter(programFolder());
    // Nothing of the parish is read before its password opens the files.
    if (!ProtectionCommands::unlockAtStart(programFolder()))
        return 1;
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
    if (firstStart)
        ShowStatus(QStringLiteral(" Dosarul datelor parohiei a fost creat: %1")
                       .arg(QDir::toNativeSeparators(folder)));
    return app.exec();
}
