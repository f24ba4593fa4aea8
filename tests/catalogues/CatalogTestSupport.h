#pragma once

#include "catalogues/CatalogWindow.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

class Dataset;
class TDBGridNormal;

// A parish database with the delivered types and balance sheet rows, the
// dialogs answered from a script, and a stand-in for the main window.
class CatalogTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds parishioners: code, name (street "Lunga", number "1", whole contribution).
    static void addParishioners(const QList<QPair<QString, QString>>& rows);

    // The catalogue's modeless window, shown and active, with the focus in its grid.
    TCatalogFrm* openCatalogueWindow(const CatalogDescriptor& descriptor);

    // Keys go where the user's keys go: an open pick list, else the focused control (the grid's cell
    // editor when one is open).
    static void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void type(const QString& text);
    // Types the texts into consecutive cells of the current row, Enter after each.
    static void typeCells(const QStringList& texts);
    // Lets the queued reactions of the window (the new row's key column) run.
    static void settle();

    // The texts of one column of the grid, top to bottom.
    static QStringList columnTexts(const TCatalogFrm* window, const QString& field);
    static QString currentText(const TCatalogFrm* window, const QString& field);

    // Runs `open` (which shows a modal picker) and, once the picker is up, `drive` on it.
    static void whilePickerShown(const std::function<void(TCatalogFrm*)>& drive,
                                 const std::function<void()>& open);

    TestFolder folder;
    ScriptedDialogs dialogs;
    QWidget mainWindow;
};
