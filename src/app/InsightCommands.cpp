#include "app/InsightCommands.h"

#include "app/MainUnt.h"
#include "insight/ChartWindow.h"
#include "insight/SearchWindow.h"
#include "widgets/SingleInstance.h"

void attachInsightCommands(TMainFrm& mainWindow)
{
    mainWindow.setCommandHandler(QStringLiteral("OpCautare"), [&mainWindow] {
        static SingleInstance<TCautareFrm> search;
        search.show([&mainWindow] { return new TCautareFrm(&mainWindow); });
    });
    mainWindow.setCommandHandler(QStringLiteral("Grafice"), [&mainWindow] {
        static SingleInstance<TGraficeFrm> charts;
        charts.show([&mainWindow] { return new TGraficeFrm(&mainWindow); });
    });
}
