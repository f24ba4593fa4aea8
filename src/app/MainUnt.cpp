#include "app/MainUnt.h"

#include "app/BackupCommands.h"
#include "app/ProtectionCommands.h"
#include "app/CatalogueCommands.h"
#include "app/DailyBackup.h"
#include "app/InsightCommands.h"
#include "app/DocumentCommands.h"
#include "app/FirstSteps.h"
#include "app/Firms.h"
#include "app/HelpDocuments.h"
#include "app/ImportCommand.h"
#include "app/ParamAplicUnt.h"
#include "app/ProgramReports.h"
#include "app/RecordCommands.h"
#include "app/ToolbarImages.h"
#include "app/YearEndCommand.h"
#include "core/BusyCursor.h"
#include "core/DesktopShell.h"
#include "core/ErrorGuard.h"
#include "core/ProgramFolder.h"
#include "core/StatusLine.h"
#include "core/Utilities.h"
#include "core/Workmsg.h"
#include "db/Connection.h"
#include "db/DatabaseLocation.h"
#include "db/DbError.h"
#include "db/SchemaUpgrade.h"
#include "journal/DeletedDocumentsWindow.h"
#include "journal/JournalCommands.h"
#include "printing/ReportCatalog.h"
#include "registers/BilantUnt.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

TMainFrm::TMainFrm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TMainFrm"));
    setWindowTitle(caption);
    setAccessibleName(caption);

    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    m_notice = new QLabel(publisherLine, centre);
    m_notice->setObjectName(QStringLiteral("Notice"));
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setMargin(4);
    layout->addWidget(m_notice);
    m_photo = new QLabel(centre);
    m_photo->setObjectName(QStringLiteral("MyPhoto"));
    m_photo->setAccessibleName(QStringLiteral("Poza parohiei"));
    m_photo->setAlignment(Qt::AlignCenter);
    m_photo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    layout->addWidget(m_photo, 1);
    setCentralWidget(centre);

    m_statusLine = new QLabel(this);
    m_statusLine->setObjectName(QStringLiteral("StatusLine"));
    m_statusLine->setAccessibleName(QStringLiteral("Linia de stare"));
    m_statusLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    statusBar()->addWidget(m_statusLine, 1);
    m_lockStatus = new QLabel(this);
    m_lockStatus->setObjectName(QStringLiteral("BlocarePerioadaStare"));
    m_lockStatus->setAccessibleName(QStringLiteral("Perioada blocata"));
    statusBar()->addPermanentWidget(m_lockStatus);
    statusBar()->setSizeGripEnabled(false);

    buildMenus();
    buildToolbar();
    connect(&DatabaseLocation::instance(), &DatabaseLocation::closedYearChanged, this,
            &TMainFrm::closedYearChanged);
    m_firstSteps = new FirstStepsPanel([this](const QString& name) { return command(name); }, centre);
    m_firstSteps->hide();
    layout->insertWidget(1, m_firstSteps);
    connect(&DatabaseLocation::instance(), &DatabaseLocation::yearSwitched, this, &TMainFrm::showFirstSteps);
    connect(&DatabaseLocation::instance(), &DatabaseLocation::yearSwitched, this, &TMainFrm::showLockStatus);

    runCreationSequence();
    showFirstSteps();
}

void TMainFrm::showFirstSteps()
{
    bool fresh = false;
    try {
        fresh = Connection::isOpen() && !DatabaseLocation::instance().isClosedYearOpen() &&
                FirstSteps::isFreshParish(Connection::database());
    } catch (const DbError&) {
        // A database that cannot be read is told where it is opened; the steps just stay away.
    }
    m_firstSteps->setVisible(fresh);
}

// ---- menus ---------------------------------------------------------------

QAction* TMainFrm::addCommand(QMenu* menu, const QString& name, const QString& caption,
                              const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, name] { runCommand(name); });
    m_commands.insert(name, action);
    return action;
}

void TMainFrm::buildMenus()
{
    const auto alt = [](Qt::Key key) { return QKeySequence(Qt::ALT | key); };
    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };

    // The menu titles' Alt letters (S, N, O, R, A) stay clear of the commands' Alt+E and Alt+I.
    QMenu* sistem = menuBar()->addMenu(QStringLiteral("&Sistem"));
    addCommand(sistem, QStringLiteral("ParametriAplicatiei"), QStringLiteral("Parametri aplicatiei"));
    sistem->addSeparator();
    addCommand(sistem, QStringLiteral("Enoriasi"), QStringLiteral("Enoriasi"), alt(Qt::Key_E));
    addCommand(sistem, QStringLiteral("Parohia"), QStringLiteral("Parohia"), ctrl(Qt::Key_P));
    sistem->addSeparator();
    addCommand(sistem, QStringLiteral("SalvareDate"), QStringLiteral("Salvare date"));
    addCommand(sistem, QStringLiteral("RestaurareDate"), QStringLiteral("Restaurare date..."));
    addCommand(sistem, QStringLiteral("TrecereaLaAnNou"), QStringLiteral("Trecerea la an nou"));
    addCommand(sistem, QStringLiteral("ImportDateVechi"), QStringLiteral("Import date vechi..."));
    sistem->addSeparator();
    addCommand(sistem, QStringLiteral("VerificareJurnal"), QStringLiteral("Verificare jurnal"));
    addCommand(sistem, QStringLiteral("BlocarePerioada"), QStringLiteral("Blocare perioada..."));
    addCommand(sistem, QStringLiteral("DocumenteSterse"), QStringLiteral("Documente sterse..."));
    addCommand(sistem, QStringLiteral("ProtectieDate"), QStringLiteral("Protectie date..."));
    sistem->addSeparator();
    addCommand(sistem, QStringLiteral("Iesire"), QStringLiteral("Iesire"), alt(Qt::Key_I));

    QMenu* nomenclatoare = menuBar()->addMenu(QStringLiteral("&Nomenclatoare"));
    addCommand(nomenclatoare, QStringLiteral("NomVenituri"), QStringLiteral("Venituri"));
    addCommand(nomenclatoare, QStringLiteral("NomCheltuieli"), QStringLiteral("Cheltuieli"));
    addCommand(nomenclatoare, QStringLiteral("NomBilant"), QStringLiteral("Bilant"));

    QMenu* operatii = menuBar()->addMenu(QStringLiteral("&Operatii"));
    addCommand(operatii, QStringLiteral("OpVenituri"), QStringLiteral("Venituri"), ctrl(Qt::Key_V));
    addCommand(operatii, QStringLiteral("OpCheltuieli"), QStringLiteral("Cheltuieli"), ctrl(Qt::Key_C));
    addCommand(operatii, QStringLiteral("OpOrdonantareSalarii"), QStringLiteral("Ordonantare salarii"),
               ctrl(Qt::Key_S));
    addCommand(operatii, QStringLiteral("OpDepuneri"), QStringLiteral("Depuneri"), ctrl(Qt::Key_D));
    addCommand(operatii, QStringLiteral("OpRidicari"), QStringLiteral("Ridicari"), ctrl(Qt::Key_R));
    operatii->addSeparator();
    addCommand(operatii, QStringLiteral("OpFisaEnoriasului"), QStringLiteral("Fisa enoriasului"));
    addCommand(operatii, QStringLiteral("OpStocuri"), QStringLiteral("Stocuri"));
    operatii->addSeparator();
    QMenu* pangar = operatii->addMenu(QStringLiteral("Registru pangar"));
    pangar->menuAction()->setObjectName(QStringLiteral("RegistruPangar"));
    pangar->menuAction()->setVisible(false);
    addCommand(pangar, QStringLiteral("PangarIntrari"), QStringLiteral("Intrari"));
    addCommand(pangar, QStringLiteral("PangarIesiri"), QStringLiteral("Iesiri"));
    addCommand(operatii, QStringLiteral("OpBilant"), QStringLiteral("Bilant"), ctrl(Qt::Key_B));
    operatii->addSeparator();
    addCommand(operatii, QStringLiteral("OpCautare"), QStringLiteral("Cautare documente"), ctrl(Qt::Key_F));

    // A menu of future registers, kept hidden with its items disabled.
    QMenu* registre = menuBar()->addMenu(QStringLiteral("Registre"));
    registre->menuAction()->setObjectName(QStringLiteral("MeniulRegistre"));
    for (const char* item : {"Intrare-Iesire-corespondenta", "Procese verbale Consilii si Adunarea Parohiala",
                             "Certificate botez si cununii", "Inventar tip Neicov", "Inventar mica valoare",
                             "Biblioteca", "Treceri la ortodoxie si plecari"})
        registre->addAction(QString::fromLatin1(item))->setEnabled(false);
    registre->menuAction()->setVisible(false);

    QMenu* rapoarte = menuBar()->addMenu(QStringLiteral("&Rapoarte"));
    QMenu* fise = rapoarte->addMenu(QStringLiteral("Fisele de evidenta a enoriasilor"));
    addCommand(fise, QStringLiteral("FiseleSelectiv"), QStringLiteral("Selectiv"));
    addCommand(fise, QStringLiteral("FiseleToate"), QStringLiteral("Toate fisele"));
    QMenu* foi = rapoarte->addMenu(QStringLiteral("Foile familiale a enoriasilor"));
    addCommand(foi, QStringLiteral("FoileSelectiv"), QStringLiteral("Selectiv"));
    addCommand(foi, QStringLiteral("FoileToate"), QStringLiteral("Toate foile"));
    QMenu* contributii = rapoarte->addMenu(QStringLiteral("Situatia contributiei"));
    addCommand(contributii, QStringLiteral("ContributiaSelectiv"), QStringLiteral("Selectiv"));
    addCommand(contributii, QStringLiteral("ContributiaToate"), QStringLiteral("Toate contributiile"));
    rapoarte->addSeparator();
    addCommand(rapoarte, QStringLiteral("ListaEnoriasilor"), QStringLiteral("Lista enoriasilor"));
    addCommand(rapoarte, QStringLiteral("RestanteContributie"), QStringLiteral("Restante contributie"));
    addCommand(rapoarte, QStringLiteral("ListaStocurilor"), QStringLiteral("Lista stocurilor"));
    rapoarte->addSeparator();
    QMenu* registreRapoarte = rapoarte->addMenu(QStringLiteral("Registre"));
    addCommand(registreRapoarte, QStringLiteral("RegIncasariPlati"), QStringLiteral("Incasari si plati"));
    addCommand(registreRapoarte, QStringLiteral("RegPangar"), QStringLiteral("Pangar"));
    addCommand(registreRapoarte, QStringLiteral("RegCasa"), QStringLiteral("Casa"));
    addCommand(registreRapoarte, QStringLiteral("RegBanca"), QStringLiteral("Banca"));
    addCommand(registreRapoarte, QStringLiteral("RegPartiziVenituri"), QStringLiteral("Partizi venituri"));
    addCommand(registreRapoarte, QStringLiteral("RegPartiziCheltuieli"),
               QStringLiteral("Partizi cheltuieli"));
    addCommand(registreRapoarte, QStringLiteral("RegBotezuri"), QStringLiteral("Botezuri"));
    addCommand(registreRapoarte, QStringLiteral("RegCasatorii"), QStringLiteral("Casatorii"));
    addCommand(registreRapoarte, QStringLiteral("RegInmormantari"), QStringLiteral("Inmormantari"));
    rapoarte->addSeparator();
    addCommand(rapoarte, QStringLiteral("RapBilant"), QStringLiteral("Bilant"));
    addCommand(rapoarte, QStringLiteral("RapJurnal"), QStringLiteral("Jurnalul modificarilor"));
    addCommand(rapoarte, QStringLiteral("Grafice"), QStringLiteral("Grafice"));

    QMenu* ajutor = menuBar()->addMenu(QStringLiteral("&Ajutor"));
    addCommand(ajutor, QStringLiteral("Manual"), QStringLiteral("Manual (prezentare Lumivaret)"));
    addCommand(ajutor, QStringLiteral("StatutulBOR"), QStringLiteral("Statutul B.O.R"));
    addCommand(ajutor, QStringLiteral("ActualizareOnline"), QStringLiteral("Actualizare online"));

    // F10 opens the first menu, as on every desktop, for those who work with the keyboard.
    auto* menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("DeschideMeniul"));
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WindowShortcut);
    addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this] {
        for (QAction* title : menuBar()->actions())
            if (title->isVisible() && title->isEnabled()) {
                menuBar()->setActiveAction(title);
                return;
            }
    });

    setCommandHandler(QStringLiteral("Iesire"), [this] { close(); });
    setCommandHandler(QStringLiteral("Parohia"), [this] { TFirmDataDlg::execute(this); });
    setCommandHandler(QStringLiteral("ParametriAplicatiei"),
                      [this] { TParamAplicFrm::execute(m_options, this); });
    setCommandHandler(QStringLiteral("OpBilant"), [this] { balanceSheet(); });
    setCommandHandler(QStringLiteral("RapBilant"), [this] { balanceSheet(); });
    setCommandHandler(QStringLiteral("ActualizareOnline"),
                      [this] { checkForUpdate(UpdateMode::Interactive); });
    attachHelpCommands(*this);
    setCommandHandler(QStringLiteral("ImportDateVechi"), [this] { importOldDataInteractively(this); });
    setCommandHandler(QStringLiteral("VerificareJurnal"), [] { JournalCommands::verify(); });
    setCommandHandler(QStringLiteral("BlocarePerioada"), [this] {
        if (JournalCommands::choosePeriodLock())
            showLockStatus();
    });
    setCommandHandler(QStringLiteral("DocumenteSterse"), [this] { DeletedDocumentsWindow::execute(this); });
    attachCatalogueCommands(*this);
    attachDocumentCommands(*this);
    attachBackupCommands(*this);
    ProtectionCommands::attach(*this);
    // Reports run from the catalogue by their command.
    for (const ReportEntry& report : programReports().entries()) {
        if (!report.command.isEmpty())
            setCommandHandler(report.command, [this, name = report.name] {
                runReportInteractively(*programReports().find(name), this);
            });
        if (!report.commandForAll.isEmpty())
            setCommandHandler(report.commandForAll, [this, name = report.name] {
                runReportInteractively(*programReports().find(name), this, true);
            });
    }
    // The "Selectiv" reports of one family are chosen in the family sheet window.
    attachRecordCommands(*this);
    attachYearEndCommand(*this);
    attachInsightCommands(*this);
}

QAction* TMainFrm::command(const QString& name) const
{
    return m_commands.value(name);
}

void TMainFrm::setCommandHandler(const QString& name, std::function<void()> handler)
{
    // A misspelt name would leave the real command doing nothing, unnoticed.
    if (!m_commands.contains(name))
        throw std::invalid_argument("no main window command is named " + name.toStdString());
    m_handlers.insert(name, std::move(handler));
}

void TMainFrm::runCommand(const QString& name)
{
    runGuarded(m_handlers.value(name)); // commands without an action yet do nothing
}

// ---- toolbar and status line ---------------------------------------------

void TMainFrm::buildToolbar()
{
    m_toolbar = new QToolBar(QStringLiteral("Bara de butoane"), this);
    m_toolbar->setObjectName(QStringLiteral("Toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_toolbar->setIconSize(QSize(32, 32));
    addToolBar(Qt::BottomToolBarArea, m_toolbar);

    struct Button {
        const char* caption;
        const char* hint;
        const char* command;
        QPixmap image;
    };
    const Button buttons[] = {
        {"Venituri", " Introducere si modificare de documente de intrare (venituri)", "OpVenituri",
         ToolbarImages::incomes()},
        {"Depuneri cont", " Introducere si modificare de documente pentru depunerile in cont", "OpDepuneri",
         ToolbarImages::deposits()},
        {"Ridicari cont", " Introducere si modificare de documente pentru ridicarile din cont", "OpRidicari",
         ToolbarImages::withdrawals()},
        {"Cheltuieli", " Introducere si modificare de documente de iesire (cheltuieli)", "OpCheltuieli",
         ToolbarImages::expenses()},
    };
    for (const Button& b : buttons) {
        const QString commandName = QString::fromLatin1(b.command);
        QAction* action = m_toolbar->addAction(QIcon(b.image), QString::fromLatin1(b.caption));
        action->setObjectName(QStringLiteral("Toolbar") + commandName);
        action->setStatusTip(QString::fromLatin1(b.hint));
        action->setToolTip(QString::fromLatin1(b.hint).trimmed());
        connect(action, &QAction::triggered, this, [this, commandName] { runCommand(commandName); });
        if (QWidget* button = m_toolbar->widgetForAction(action)) {
            button->setCursor(Qt::PointingHandCursor);
            button->setAccessibleName(QString::fromLatin1(b.caption));
        }
    }

    auto* spacer = new QWidget(m_toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolbar->addWidget(spacer);

    const auto addImage = [this](const QString& name, const QString& description, const QPixmap& image,
                                 const QString& address) {
        auto* button = new QToolButton(m_toolbar);
        button->setObjectName(name);
        button->setIcon(QIcon(image));
        button->setIconSize(image.size());
        button->setAutoRaise(true);
        button->setAccessibleName(description);
        if (!address.isEmpty()) {
            button->setCursor(Qt::PointingHandCursor);
            button->setStatusTip(address);
            button->setToolTip(address);
            connect(button, &QToolButton::clicked, this, [address] {
                runGuarded([&] {
                    if (!desktopShell().open(address))
                        throw IoError(QStringLiteral("Adresa %1 nu poate fi deschisa").arg(address));
                });
            });
        }
        m_toolbar->addWidget(button);
    };
    addImage(QStringLiteral("SiglaBOR"), QStringLiteral("Sigla Bisericii Ortodoxe Romane"),
             ToolbarImages::churchAuthorityLogo(), churchAuthorityAddress);
    addImage(QStringLiteral("Biserica"), QStringLiteral("Biserica"), ToolbarImages::church(), QString());
    addImage(QStringLiteral("SiglaProducator"), QStringLiteral("Sigla producatorului"),
             ToolbarImages::publisherLogo(), publisherAddress);
}

bool TMainFrm::event(QEvent* event)
{
    // Back from a window or a dialog: the parish may have typed its name or a first document.
    if (event->type() == QEvent::WindowActivate && m_firstSteps && m_firstSteps->isVisible())
        showFirstSteps();
    if (event->type() == QEvent::StatusTip) {
        if (m_statusFollowsHint) {
            const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
            m_statusLine->setText(tip.isEmpty() ? m_windowHint : tip);
        }
        return true;
    }
    return QMainWindow::event(event);
}

void TMainFrm::showLockStatus()
{
    runGuarded([this] {
        m_lockStatus->setText(Connection::isOpen() ? JournalCommands::lockStatus(Connection::database()) : QString());
    });
}

void TMainFrm::closedYearChanged(bool closedYearOpen)
{
    // Backups and the rollover work on the working year's files only.
    command(QStringLiteral("SalvareDate"))->setEnabled(!closedYearOpen);
    command(QStringLiteral("TrecereaLaAnNou"))->setEnabled(!closedYearOpen);
}

// ---- creation sequence and first show ------------------------------------

void TMainFrm::runCreationSequence()
{
    const QString iniPath = programFolder() + ProgramOptions::fileName;
    const std::function<void()> steps[] = {
        [&] { m_options = ProgramOptions::read(iniPath); },
        [&] {
            if (m_options.dailyBackup)
                DailyBackup(dailyBackupRoot(m_options));
        },
        [&] {
            m_statusFollowsHint = true;
            m_statusLine->setText(m_windowHint);
        },
        [&] { setStatusTarget(m_statusLine); },
        [&] { loadPhoto(); },
    };
    bool stepFailed = false;
    for (const auto& step : steps)
        if (!runGuarded(step)) {
            stepFailed = true;
            break;
        }
    // The database is opened even after a failed step: no window could work without it.
    if (!runGuarded([this] { openDatabase(); }) || stepFailed)
        return;
    runGuarded([this] { upgradeSchema(); });
    showLockStatus();
}

void TMainFrm::loadPhoto()
{
    const QString path = programFolder() + QStringLiteral("poza.jpg");
    if (!QFileInfo::exists(path))
        return;
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        throw IoError(QStringLiteral("Poza %1 nu poate fi citita: %2")
                          .arg(QDir::toNativeSeparators(path), reader.errorString()));
    m_photo->setPixmap(QPixmap::fromImage(image));
    m_photo->repaint();
}

void TMainFrm::openDatabase()
{
    DatabaseLocation::instance().openWorkingYear();
    if (Connection::isReadOnly())
        throw DbError(QStringLiteral("Baza de date %1 este protejata la scriere: datele se pot consulta, "
                                     "dar nu se pot modifica")
                          .arg(QDir::toNativeSeparators(Connection::filePath())));
}

void TMainFrm::upgradeSchema()
{
    BusyCursor busy;
    SchemaUpgrade::upgrade(Connection::database(), [&] {
        ShowWorkMessage(this, upgradeMessage);
        busy.start();
    });
}

void TMainFrm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    runGuarded([this] { firstShow(); });
}

void TMainFrm::firstShow()
{
    m_runningVersion = formatRunningVersion(ReadProgramVersion());
    const bool showingHint = m_statusLine->text() == m_windowHint;
    m_windowHint += QStringLiteral(" - Versiunea ") + m_runningVersion;
    if (showingHint && m_statusFollowsHint)
        m_statusLine->setText(m_windowHint);
    if (m_options.checkForNewVersion)
        checkForUpdate(UpdateMode::Silent);
}

void TMainFrm::checkForUpdate(UpdateMode mode)
{
    // One question to the server at a time; asking while the silent check
    // waits makes that one tell its outcome.
    if (m_updateCheck) {
        if (mode == UpdateMode::Interactive)
            m_updateCheck->makeInteractive();
        return;
    }
    m_updateCheck = CheckForUpdate(mode, *this, m_runningVersion);
    connect(m_updateCheck, &UpdateCheck::finished, this, [this] { m_updateCheck = nullptr; });
}

void TMainFrm::balanceSheet()
{
    showBalanceSheet(m_options, this);
}
