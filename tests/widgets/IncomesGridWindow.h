#pragma once

#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "db/Dataset.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

// The grid tests' window. An entry window over three incomes: a grid with a text, an integer, a
// number and a date column, and another input to leave the grid for.
struct IncomesWindow {
    IncomesWindow()
    {
        folder.openWorkingYear();
        execOrFail(
            QStringLiteral("INSERT INTO Venituri (Nr_act, Explicatie, Cod_venit, Valoarea, Data) VALUES "
                           "(1, 'Lumanari', 1, 10, '2024-03-01'), (2, 'Pomelnice', 2, 20, '2024-03-02'), "
                           "(3, 'Donatii', 3, 30, '2024-03-03')"));
        // The window's own check of the income code, as the incomes window has one.
        incomes.setValidator(QStringLiteral("Cod_venit"), [](Dataset&, const QVariant& code) {
            if (code.toInt() == 99) {
                ::dialogs().warning(QStringLiteral("Codul de venit <99> nu figureaza in catalog."));
                throw SilentAbort();
            }
        });
        incomes.open();
        auto* layout = new QVBoxLayout(&window);
        grid = new TDBGridNormal(&window);
        grid->bind(&incomes, {"Explicatie", "Cod_venit", "Valoarea", "Data"});
        other = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(other);
        window.resize(600, 300);
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
    }

    // Keys go where the user's keys go: the cell editor when one is open.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = grid->cellEditor() ? grid->cellEditor() : static_cast<QWidget*>(grid);
        QTest::keyClick(target, key, modifiers);
        QApplication::processEvents();
    }
    // Types into the cell as it opened, without selecting its text first.
    void type(const QString& text)
    {
        ASSERT_NE(grid->cellEditor(), nullptr);
        QTest::keyClicks(grid->cellEditor(), text);
    }
    // Selects the cell's text and types over it.
    void retype(const QString& text)
    {
        ASSERT_NE(grid->cellEditor(), nullptr);
        QTest::keyClick(grid->cellEditor(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(grid->cellEditor(), text);
    }
    void startAt(int row, const QString& field)
    {
        incomes.setRecNo(row + 1);
        grid->selectField(field);
    }
    QPoint cellCentre(int row, const QString& field) const
    {
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            if (grid->model()->headerData(column, Qt::Horizontal).toString() == field)
                return grid->visualRect(grid->model()->index(row, column)).center();
        return {};
    }
    void clickCell(int row, const QString& field)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(row, field));
        QApplication::processEvents();
    }
    // The rows as the database file holds them, read through a connection of
    // its own: "Explicatie;Cod_venit;Valoarea;Data / ...".
    QString stored() const
    {
        QStringList rows;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
            db.setDatabaseName(folder.databaseFile());
            EXPECT_TRUE(db.open());
            QSqlQuery query(db);
            query.exec(
                QStringLiteral("SELECT Explicatie, Cod_venit, Valoarea, Data FROM Venituri ORDER BY rowid"));
            while (query.next())
                rows << QStringList{query.value(0).toString(), query.value(1).toString(),
                                    query.value(2).toString(), query.value(3).toString()}
                            .join(QLatin1Char(';'));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("check"));
        return rows.join(QStringLiteral(" / "));
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    Dataset incomes{QStringLiteral("Venituri")};
    QWidget window;
    TDBGridNormal* grid = nullptr;
    QLineEdit* other = nullptr;
};
