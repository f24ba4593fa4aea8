#include "app/FirstSteps.h"

#include "db/DocumentTables.h"
#include "db/Sql.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace FirstSteps
{

bool isFreshParish(const QSqlDatabase& db)
{
    if (!Sql::tableExists(db, QStringLiteral("Parohia")))
        return false;
    const QString name = Sql::scalar(db, QStringLiteral("SELECT Parohia FROM Parohia")).toString();
    if (!name.trimmed().isEmpty())
        return false;
    for (const QString& table : documentTables())
        if (Sql::tableExists(db, table) &&
            Sql::scalar(db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM %1)").arg(table)).toBool())
            return false;
    return true;
}

} // namespace FirstSteps

namespace
{

struct Step {
    const char* what;
    const char* menuPath;
    const char* command;
};

const Step steps[] = {
    {"Datele parohiei: numele, adresa, preotul paroh, banca si contul", "Sistem > Parohia", "Parohia"},
    {"Soldurile casei si ale bancii la inceputul anului, preturile lumanarilor",
     "Sistem > Parametri aplicatiei", "ParametriAplicatiei"},
    {"Tipurile de venituri ale parohiei", "Nomenclatoare > Venituri", "NomVenituri"},
    {"Tipurile de cheltuieli ale parohiei", "Nomenclatoare > Cheltuieli", "NomCheltuieli"},
    {"Enoriasii, cu codul fiecarei familii", "Sistem > Enoriasi", "Enoriasi"},
    {"Primul document: o chitanta", "Operatii > Venituri", "OpVenituri"},
    {"Manualul programului, cu toti pasii", "Ajutor > Manual", "Manual"},
};

} // namespace

FirstStepsPanel::FirstStepsPanel(const std::function<QAction*(const QString&)>& command, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("PrimiiPasi"));
    setAccessibleName(QStringLiteral("Primii pasi"));
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    auto* title = new QLabel(QStringLiteral("<b>Primii pasi intr-o parohie noua</b>"), this);
    grid->addWidget(title, 0, 0, 1, 2);
    int row = 1;
    for (const Step& step : steps) {
        QAction* action = command(QString::fromLatin1(step.command));
        if (!action)
            continue;
        auto* what = new QLabel(QStringLiteral("%1. %2").arg(row).arg(QString::fromLatin1(step.what)), this);
        auto* button = new QPushButton(QString::fromLatin1(step.menuPath), this);
        button->setObjectName(QString::fromLatin1(step.command));
        button->setAccessibleName(QString::fromLatin1(step.what) + QStringLiteral(": ") +
                                  QString::fromLatin1(step.menuPath));
        if (!action->shortcut().isEmpty())
            button->setToolTip(action->shortcut().toString(QKeySequence::NativeText));
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        what->setBuddy(button);
        grid->addWidget(what, row, 0);
        grid->addWidget(button, row, 1);
        ++row;
    }
    grid->addWidget(new QLabel(QStringLiteral("Lista dispare dupa ce ati trecut numele parohiei sau primul document."),
                               this),
                    row, 0, 1, 2);
    grid->setColumnStretch(0, 1);
}
