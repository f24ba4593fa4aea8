#include "support/ProgramWindows.h"

#include "app/MainUnt.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QSet>
#include <QTimer>

namespace
{

bool isReportPreview(const QWidget* window)
{
    return window->inherits("TReportPreview");
}

} // namespace

void visitProgramWindows(TMainFrm& mainWindow, const std::function<void(QWidget* window)>& visit)
{
    // A modal window is visited and given up as soon as it is up.
    QSet<QWidget*> modalsVisited;
    QTimer modalWatch;
    modalWatch.setInterval(0);
    QObject::connect(&modalWatch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modalsVisited.contains(modal))
            return;
        modalsVisited.insert(modal);
        if (!isReportPreview(modal))
            visit(modal);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
    modalWatch.start();

    for (const QString& command : mainWindow.commandNames()) {
        if (command == QStringLiteral("Iesire"))
            continue;
        const QList<QWidget*> before = QApplication::topLevelWidgets();
        mainWindow.command(command)->trigger();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (before.contains(window) || !window->isVisible() || isReportPreview(window) ||
                window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip)
                continue;
            visit(window);
            window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
