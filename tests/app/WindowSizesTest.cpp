#include "app/MainUnt.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "support/FakeDesktopShell.h"
#include "support/FakePrinter.h"
#include "support/ProgramWindows.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBGridNormal.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QStyle>
#include <gtest/gtest.h>

namespace
{

QRect screenRoom(const QWidget* window)
{
    return (window->screen() ? window->screen() : QGuiApplication::primaryScreen())->availableGeometry();
}

// A grid that hides a column behind its scroll bar, or cuts a text with "...",
// in a window that is narrower than the screen.
QStringList widthFaults(QWidget* window)
{
    QStringList faults;
    const int room = screenRoom(window).width();
    if (window->width() > room)
        faults << QStringLiteral("%1: %2 pixeli, mai lata decat ecranul").arg(window->windowTitle()).arg(window->width());
    if (window->layout())
        window->layout()->activate();
    for (TDBGridNormal* grid : window->findChildren<TDBGridNormal*>()) {
        if (!grid->isVisibleTo(window) || window->width() >= room)
            continue;
        const QHeaderView* header = grid->horizontalHeader();
        if (header->length() > grid->viewport()->width())
            faults << QStringLiteral("%1 / %2: coloane ascunse").arg(window->windowTitle(), grid->objectName());
        const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            for (int row = 0; row < grid->model()->rowCount(); ++row) {
                const QString text = grid->model()->index(row, column).data().toString();
                if (grid->fontMetrics().horizontalAdvance(text) + margins > header->sectionSize(column))
                    faults << QStringLiteral("%1 / %2: \"%3\" taiat").arg(window->windowTitle(), grid->objectName(), text);
            }
    }
    return faults;
}

class WindowSizes : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSqlDatabase db = folder.openWorkingYear();
        const QString longText = QStringLiteral("Donatii pentru pictura bisericii si pentru repararea acoperisului "
                                                "casei parohiale si a gardului");
        Sql::exec(db, QStringLiteral("UPDATE Tip_venituri SET Explicatie_venit = :e WHERE Cod_venit = "
                                     "(SELECT min(Cod_venit) FROM Tip_venituri)"),
                  {{QStringLiteral(":e"), longText}});
        Sql::exec(db, QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                                     "VALUES ('1', 'Constantinescu-Dobridor Ecater', 'Bulevardul Independentei', "
                                     "'123A', 'Intreaga')"));
        Sql::exec(db, QStringLiteral("INSERT INTO DocIn (Numar, Data, Tip, Furnizor, Explicatie) "
                                     "VALUES (1, '2024-03-01', 'O.P.', 'Atelierul de lumanari', 'Lumanari')"));
        Sql::exec(db, QStringLiteral("INSERT INTO ItemIn (Cod, Cod_articol, Denumire, Cantitate, UM, "
                                     "Pret_achizitie, Valoare) SELECT max(Cod), 1, 'Lumanari de ceara nr. 3', "
                                     "1000, 'buc', 1.25, 1250 FROM DocIn"));
        mainWindow = std::make_unique<TMainFrm>();
        mainWindow->show();
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    FakePrinter printer;
    FakeDesktopShell desktop;
    std::unique_ptr<TMainFrm> mainWindow;
};

} // namespace

// Every window the menus open is wide enough for its grids' columns and their
// longest texts, unless the screen is narrower; never wider than the screen.
TEST_F(WindowSizes, EveryWindowOpensWideEnoughForItsColumnsWithinTheScreen)
{
    QStringList faults;
    QStringList visited;
    visitProgramWindows(*mainWindow, [&](QWidget* window) {
        visited << window->windowTitle();
        faults << widthFaults(window);
    });
    EXPECT_GE(visited.size(), 12);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

// A size the user gives a window is the size it opens with next time; the
// options of the file stay as they were.
TEST_F(WindowSizes, ASizeTheUserGivesAWindowIsKept)
{
    const QByteArray options = "[Options]\r\nCheck for new version=0\r\nBackup BD zilnic=0\r\n";
    folder.write(QStringLiteral("Configurari.ini"), options);
    const auto openedBy = [&](const QString& command) -> QWidget* {
        const QList<QWidget*> before = QApplication::topLevelWidgets();
        mainWindow->command(command)->trigger();
        for (QWidget* window : QApplication::topLevelWidgets())
            if (!before.contains(window) && window->isVisible())
                return window;
        return nullptr;
    };
    for (const char* command : {"OpVenituri", "PangarIntrari", "NomVenituri", "OpFisaEnoriasului", "OpBilant"}) {
        SCOPED_TRACE(command);
        QWidget* window = openedBy(QString::fromLatin1(command));
        ASSERT_NE(window, nullptr);
        const QSize given = (window->size() - QSize(30, 20)).expandedTo(window->minimumSizeHint());
        window->resize(given);
        ASSERT_EQ(window->size(), given);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        window = openedBy(QString::fromLatin1(command));
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->size(), given);
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QFile file(folder.file(QStringLiteral("Configurari.ini")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith(options));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.everything().join('\n').toStdString();
}
