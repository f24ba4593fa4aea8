#include "app/RecordCommands.h"

#include "app/MainUnt.h"
#include "records/TFisaEnoriasFrm.h"

void attachRecordCommands(TMainFrm& mainWindow)
{
    for (const char* command :
         {"OpFisaEnoriasului", "FiseleSelectiv", "FoileSelectiv", "ContributiaSelectiv"})
        mainWindow.setCommandHandler(QString::fromLatin1(command),
                                     [&mainWindow] { TFisaEnoriasFrm::open(&mainWindow); });
}
