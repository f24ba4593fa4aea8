#pragma once

#include "app/UpdateCheck.h"
#include "core/ProgramOptions.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QLabel;
class QMenu;
class QToolBar;

// The main window: menus, toolbar, status line and the parish photo, from
// which every other window, report and maintenance operation is started.
class FirstStepsPanel;
class TMainFrm : public QMainWindow
{
    Q_OBJECT
public:
    static inline const QString caption = QStringLiteral("Evidenta veniturilor si cheltuielilor la parohie");
    static inline const QString publisherLine =
        QStringLiteral("Lumivaret - evidenta veniturilor, cheltuielilor si registrelor parohiei");
    static inline const QString upgradeMessage = QStringLiteral("Se actualizeaza structura bazei de date...");
    static inline const QString churchAuthorityAddress = QStringLiteral("https://patriarhia.ro");
    static inline const QString publisherAddress = QStringLiteral("https://lumivaret.ro");

    // Runs the creation sequence: options, daily backup, status line, photo,
    // database and schema upgrade.
    explicit TMainFrm(QWidget* parent = nullptr);

    // A menu command by its name ("Parohia", "OpVenituri", ...), for the
    // windows that attach their actions and for tests.
    QAction* command(const QString& name) const;
    QStringList commandNames() const { return m_commands.keys(); }
    // Attaches the action of a command; it runs guarded. Throws
    // std::invalid_argument for a name that is not a command of the window.
    void setCommandHandler(const QString& name, std::function<void()> handler);

    const ProgramOptions& options() const { return m_options; }
    ProgramOptions& options() { return m_options; }
    QString windowHint() const { return m_windowHint; }
    QString runningVersion() const { return m_runningVersion; }
    QLabel* statusLine() const { return m_statusLine; }
    QLabel* photo() const { return m_photo; }
    // The update check under way, if any.
    UpdateCheck* updateCheck() const { return m_updateCheck; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    QAction* addCommand(QMenu* menu, const QString& name, const QString& caption,
                        const QKeySequence& shortcut = {});
    void runCommand(const QString& name);

    void runCreationSequence();
    void loadPhoto();
    void openDatabase();
    void upgradeSchema();
    void firstShow();
    void balanceSheet();
    void checkForUpdate(UpdateMode mode);
    void closedYearChanged(bool closedYearOpen);
    // The lock's date beside the status line (a closed year shows its 31 December).
    void showLockStatus();
    // Shows the first steps while the parish is as the first start delivered it.
    void showFirstSteps();

    ProgramOptions m_options;
    QString m_windowHint = publisherLine;
    QString m_runningVersion;
    bool m_statusFollowsHint = false;
    bool m_shownOnce = false;

    QLabel* m_notice = nullptr;
    FirstStepsPanel* m_firstSteps = nullptr;
    QLabel* m_photo = nullptr;
    QLabel* m_statusLine = nullptr;
    QLabel* m_lockStatus = nullptr;
    QToolBar* m_toolbar = nullptr;
    QHash<QString, QAction*> m_commands;
    QHash<QString, std::function<void()>> m_handlers;
    QPointer<UpdateCheck> m_updateCheck;
};
