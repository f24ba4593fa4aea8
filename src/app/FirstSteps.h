#pragma once

#include <QFrame>
#include <QSqlDatabase>
#include <functional>

class QAction;

// The first steps of a new parish, shown in the main window while the parish
// record still holds the delivered contents (no parish name typed) and no
// document exists: each step with the menu command that does it.
namespace FirstSteps
{

// True for a database as the first start delivered it, before the parish
// typed its name or its first document.
bool isFreshParish(const QSqlDatabase& db);

} // namespace FirstSteps

class FirstStepsPanel : public QFrame
{
    Q_OBJECT
public:
    // `command` finds a menu command of the main window by its name.
    FirstStepsPanel(const std::function<QAction*(const QString&)>& command, QWidget* parent = nullptr);
};
