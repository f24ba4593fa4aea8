#include "app/ParamAplicUnt.h"

#include "core/DbErrorText.h"
#include "core/ErrorGuard.h"
#include "core/ProgramFolder.h"
#include "core/ProgramOptions.h"
#include "core/UserDialogs.h"
#include "core/Utilities.h"
#include "db/Dataset.h"
#include "db/DatasetModel.h"
#include "db/DbError.h"
#include "widgets/FormRows.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TDBGridNormal.h"
#include "widgets/TableDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

namespace
{

struct ParameterField {
    const char* caption;
    const char* field;
    bool money; // shown "#,##0.00", typed "0.00"
};

const ParameterField balanceFields[] = {
    {"Sold initial casa :", "Sold_init_casa", true},
    {"Sold initial banca :", "Sold_init_banca", true},
};

const ParameterField candleFields[] = {
    {"Cod venit lumanari :", "CodVenLum", false},      {"Cod chelt. lumanari :", "CodChLum", false},
    {"Pret intrare lumanari :", "PretInOut", false},   {"Pret iesire lumanari :", "PretOut", false},
    {"Stoc initial lumanari :", "Count_venit", false}, {"Sold initial lumanari :", "Count_chelt", false},
};

} // namespace

TParamAplicFrm::TParamAplicFrm(ProgramOptions& options, QWidget* parent) : QDialog(parent), m_options(options)
{
    setWindowTitle(QStringLiteral("Configurarea modului de lucru cu programul"));
    setObjectName(QStringLiteral("TParamAplicFrm"));

    m_contor = new Dataset(QStringLiteral("Contor.DB"), this);
    // The table keeps exactly one record.
    m_contor->beforeInsert = [](Dataset&) {
        dialogs().warning(QStringLiteral("Parametrii aplicatiei sunt pastrati intr-o singura inregistrare; "
                                         "nu se poate adauga alta."));
        throw SilentAbort();
    };
    m_kinds = new Dataset(QStringLiteral("Tip_doc.db"), this);
    m_contor->open();
    m_kinds->open();
    for (const ParameterField& f : balanceFields) {
        m_contor->setDisplayFormat(QString::fromLatin1(f.field), QStringLiteral("#,##0.00"));
        m_contor->setEditFormat(QString::fromLatin1(f.field), QStringLiteral("0.00"));
    }

    const auto addFields = [this](QFormLayout* form, const auto& fields) {
        for (const ParameterField& f : fields) {
            auto* input = new TDBEditNormal(this);
            input->setObjectName(QString::fromLatin1(f.field));
            input->bind(m_contor, input->objectName());
            if (f.money)
                input->setAlignment(Qt::AlignRight);
            addLabeledRow(form, QString::fromLatin1(f.caption), input);
            m_edits << input;
        }
    };

    auto* balances = new QGroupBox(QStringLiteral("Sold la inceput de an"), this);
    auto* balanceForm = new QFormLayout(balances);
    addFields(balanceForm, balanceFields);

    auto* contributionForm = new QFormLayout;
    auto* contribution = new TDBEditNormal(this);
    contribution->setObjectName(QStringLiteral("CodVenContrib"));
    contribution->bind(m_contor, contribution->objectName());
    addLabeledRow(contributionForm, QStringLiteral("Cod venit pentru contributia anuala a credinciosilor :"),
                  contribution);
    m_edits << contribution;

    auto* candles = new QGroupBox(QStringLiteral("Lumanari"), this);
    auto* candleForm = new QFormLayout(candles);
    addFields(candleForm, candleFields);
    auto* photoButton = new QPushButton(QStringLiteral("..."), candles);
    photoButton->setObjectName(QStringLiteral("Poza"));
    photoButton->setAutoDefault(false);
    photoButton->setMaximumWidth(40);
    connect(photoButton, &QPushButton::clicked, this, [this] { runGuarded([this] { choosePhoto(); }); });
    addLabeledRow(candleForm, QStringLiteral("Personalizeaza programul - apasa butonul de alaturi !"),
                  photoButton);

    auto* kinds = new QGroupBox(QStringLiteral("Tipuri de documente"), this);
    m_grid = new TDBGridNormal(kinds);
    m_grid->setObjectName(QStringLiteral("TipuriDocumente"));
    m_grid->setAccessibleName(QStringLiteral("Tipuri de documente"));
    m_grid->bind(m_kinds, {QStringLiteral("Denumire")});
    m_grid->horizontalHeader()->setStretchLastSection(true);
    auto* kindsLayout = new QVBoxLayout(kinds);
    kindsLayout->addWidget(m_grid);

    m_compoundNames =
        new QCheckBox(QStringLiteral("Afiseaza pe rapoarte si codul enoriasului alaturi de nume"), this);
    m_checkVersion =
        new QCheckBox(QStringLiteral("Verifica existenta versiuni noi la pornirea programului"), this);
    m_dailyBackup =
        new QCheckBox(QStringLiteral("Salveaza baza de date la prima pornire din zi a programului"), this);
    m_printReceipt =
        new QCheckBox(QStringLiteral("Tipareste chitanta la \"Printeaza\" in fereastra de incasari"), this);
    m_compoundNames->setChecked(options.compoundNames);
    m_checkVersion->setChecked(options.checkForNewVersion);
    m_dailyBackup->setChecked(options.dailyBackup);
    m_printReceipt->setChecked(options.printReceipt);

    QPushButton* validate = makeValidateButton(this);
    connect(validate, &QPushButton::clicked, this, &TParamAplicFrm::accept);

    auto* left = new QVBoxLayout;
    left->addWidget(balances);
    left->addLayout(contributionForm);
    left->addWidget(candles);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addWidget(kinds, 2);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(validate);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(m_compoundNames);
    layout->addWidget(m_checkVersion);
    layout->addWidget(m_dailyBackup);
    layout->addWidget(m_printReceipt);
    layout->addLayout(bottom);
    // A table that lost its record is never given a new one: said once, and
    // the inputs take no typing that could only be refused.
    if (m_contor->isEmpty()) {
        dialogs().warning(
            QStringLiteral("Parametrii aplicatiei lipsesc din baza de date (tabela Contor nu are "
                           "nicio inregistrare) si nu pot fi modificati."));
        for (TDBEditNormal* input : std::as_const(m_edits))
            input->setReadOnly(true);
    }
    m_edits.first()->setFocus();
}

void TParamAplicFrm::execute(ProgramOptions& options, QWidget* parent)
{
    execTableDialog<TParamAplicFrm>(QStringLiteral("parohie"), options, parent);
}

TDBEditNormal* TParamAplicFrm::edit(const QString& field) const
{
    return findChild<TDBEditNormal*>(field);
}

void TParamAplicFrm::accept()
{
    try {
        if (!m_contor->post() || !m_kinds->post())
            return;
    } catch (const DbError& e) {
        // What was typed stays on screen to be corrected.
        dialogs().error(DbErrorText::forTable(QStringLiteral("parohie"), e.text()));
        return;
    }
    ProgramOptions changed = m_options;
    changed.compoundNames = m_compoundNames->isChecked();
    changed.checkForNewVersion = m_checkVersion->isChecked();
    changed.dailyBackup = m_dailyBackup->isChecked();
    changed.printReceipt = m_printReceipt->isChecked();
    try {
        changed.writeStartupSwitches(programFolder() + ProgramOptions::fileName);
    } catch (const IoError& e) {
        dialogs().error(e.text());
        return;
    }
    m_options = changed;
    m_contor->close();
    m_kinds->close();
    QDialog::accept();
}

void TParamAplicFrm::reject()
{
    // Pending edits are dropped; document kinds stored while moving between rows stay.
    m_contor->cancel();
    m_kinds->cancel();
    m_contor->close();
    m_kinds->close();
    QDialog::reject();
}

void TParamAplicFrm::choosePhoto()
{
    const QString chosen = dialogs().openFileName(photoDialogTitle, photoFilter, programFolder());
    if (chosen.isEmpty())
        return;
    // The new picture is copied beside the old one first, so that a failed
    // copy leaves the parish's photo as it was.
    const QString photo = programFolder() + QStringLiteral("poza.jpg");
    const QString incoming = photo + QStringLiteral(".nou");
    QFile::remove(incoming);
    CopyFileChecked(chosen, incoming);
    std::error_code failure;
    std::filesystem::rename(incoming.toStdU16String(), photo.toStdU16String(),
                            failure); // replaces the old one
    if (failure) {
        QFile::remove(incoming);
        throw IoError(QStringLiteral("Poza %1 nu poate fi inlocuita").arg(QDir::toNativeSeparators(photo)));
    }
    dialogs().information(QStringLiteral("Pentru a salva modificarile facute referitoare la imaginea aleasa, "
                                         "inchideti si reporniti aplicatia!"));
}
