// Fills a program folder with a working year of sample documents, for timing
// the real program's commands on a big parish and for comparing its printed
// reports between two builds.
// Run: build/bench/make_sample_folder FOLDER DOCUMENTS [YEAR]

#include "core/ErrorGuard.h"
#include "core/ProgramFolder.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "support/SampleData.h"

#include <QDate>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    LumivaretApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fputs("make_sample_folder FOLDER DOCUMENTS [YEAR]\n", stderr);
        return 2;
    }
    const QString folder = args[1];
    const int documents = args[2].toInt();
    const int year = args.size() > 3 ? args[3].toInt() : QDate::currentDate().year();
    QDir().mkpath(folder);
    setProgramFolder(folder);
    DatabaseLocation::instance().openWorkingYear();
    // 70 % incomes, 30 % expenses, as in the benchmarks.
    SampleData::fillYear(Connection::database(), year, {300, documents * 7 / 10, documents * 3 / 10}, 3);
    Connection::close();
    return 0;
}
