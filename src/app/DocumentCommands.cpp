#include "app/DocumentCommands.h"

#include "app/MainUnt.h"
#include "operations/TBankMovementFrm.h"
#include "operations/TCheltSalFrm.h"
#include "operations/TCheltuieliFrm.h"
#include "operations/TPangarInFrm.h"
#include "operations/TVenituriFrm.h"

namespace
{

template <class Window> void attach(TMainFrm& mainWindow, const char* command)
{
    mainWindow.setCommandHandler(QString::fromLatin1(command),
                                 [&mainWindow] { showDocumentWindow<Window>(&mainWindow); });
}

} // namespace

void attachDocumentCommands(TMainFrm& mainWindow)
{
    attach<TVenituriFrm>(mainWindow, "OpVenituri");
    attach<TCheltuieliFrm>(mainWindow, "OpCheltuieli");
    attach<TDepuneriFrm>(mainWindow, "OpDepuneri");
    attach<TRidicariFrm>(mainWindow, "OpRidicari");
    attach<TCheltSalFrm>(mainWindow, "OpOrdonantareSalarii");
    attach<TPangarInFrm>(mainWindow, "PangarIntrari");
}
