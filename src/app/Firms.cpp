#include "app/Firms.h"

#include "core/DbErrorText.h"
#include "core/UserDialogs.h"
#include "db/DatabaseLocation.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "widgets/FieldLink.h"
#include "widgets/FormRows.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TableDialog.h"

#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

struct ParishField {
    const char* caption;
    const char* field;
};

const ParishField parishFields[] = {
    {"Arhiepiscopia/Episcopia", "Arhiepiscopia"},
    {"Protopopiatul", "Protopopiatul"},
    {"Parohia", "Parohia"},
    {"Strada", "Strada"},
    {"Numarul", "Nr"},
    {"Localitatea", "Localitatea"},
    {"Judetul", "Judet"},
    {"Preot paroh", "Preot"},
    {"Prim epitrop", "Epitrop"},
    {"Banca", "Banca"},
    {"Contul bancar", "Cont bancar"},
};

} // namespace

TFirmDataDlg::TFirmDataDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Datele parohiei"));
    setObjectName(QStringLiteral("TFirmDataDlg"));
    m_parish = new Dataset(QStringLiteral("Parohia.DB"), this);
    // Storing a working year other than the computer's is allowed, after a notice.
    m_parish->setValidator(QStringLiteral("An_lucru"), [](Dataset&, const QVariant& year) {
        const int currentYear = QDate::currentDate().year();
        if (!year.isNull() && year.toInt() != currentYear)
            dialogs().information(QStringLiteral("Atentie anul ales ") + year.toString() +
                                  QStringLiteral(" difera de anul curent (setat la calculator) ") +
                                  QString::number(currentYear));
    });

    auto* form = new QFormLayout;
    m_year = new TDBComboNormal(this);
    m_year->setObjectName(QStringLiteral("An_lucru"));
    addLabeledRow(form, QStringLiteral("Anul pentru care se opereaza veniturile si cheltuielile parohiei :"),
                  m_year);

    auto* contribution = new TDBEditNormal(this);
    contribution->setObjectName(QStringLiteral("Val_contributie"));
    auto* contributionRow = new QWidget(this);
    auto* contributionLayout = new QHBoxLayout(contributionRow);
    contributionLayout->setContentsMargins(0, 0, 0, 0);
    contributionLayout->addWidget(contribution);
    contributionLayout->addWidget(new QLabel(QStringLiteral("LEI (RON)"), contributionRow));
    form->addRow(makeCaptionLabel(QStringLiteral("Valoarea contributiei anuale  a credinciosilor"), contribution,
                                  this),
                 contributionRow);
    m_edits << contribution;

    for (const ParishField& f : parishFields) {
        auto* input = new TDBEditNormal(this);
        input->setObjectName(QString::fromLatin1(f.field));
        addLabeledRow(form, QString::fromLatin1(f.caption), input);
        m_edits << input;
    }

    QPushButton* validate = makeValidateButton(this);
    connect(validate, &QPushButton::clicked, this, &TFirmDataDlg::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(validate);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    // The year list moves the program at once: on choosing an entry, or
    // when a typed year is complete (not at every keystroke).
    connect(m_year, &QComboBox::activated, this,
            [this](int index) { switchYear(m_year->itemText(index), index == 0); });
    connect(m_year->lineEdit(), &QLineEdit::editingFinished, this, &TFirmDataDlg::yearTyped);

    m_parish->open();
    m_year->bind(m_parish, QStringLiteral("An_lucru"));
    for (TDBEditNormal* input : std::as_const(m_edits))
        input->bind(m_parish, input->objectName());
    m_parish->edit();
    fillYears();
    m_year->setFocus();
}

TFirmDataDlg::~TFirmDataDlg()
{
    // The year box may report its editing finished while the children are destroyed.
    disconnect(m_year->lineEdit(), nullptr, this, nullptr);
    disconnect(m_year, nullptr, this, nullptr);
}

void TFirmDataDlg::execute(QWidget* parent)
{
    execTableDialog<TFirmDataDlg>(QStringLiteral("parohie"), parent);
}

TDBEditNormal* TFirmDataDlg::edit(const QString& field) const
{
    return findChild<TDBEditNormal*>(field);
}

void TFirmDataDlg::openParish()
{
    m_parish->close();
    m_parish->open();
    m_parish->edit();
}

void TFirmDataDlg::fillYears()
{
    QStringList years;
    const QList<int> known = DatabaseLocation::instance().knownYears();
    for (auto it = known.crbegin(); it != known.crend(); ++it)
        years << QString::number(*it);
    if (years.isEmpty())
        years << m_parish->asString(QStringLiteral("An_lucru"));
    m_year->blockSignals(true);
    m_year->clear();
    m_year->addItems(years);
    m_year->blockSignals(false);
    m_year->link()->refresh();
}

void TFirmDataDlg::yearTyped()
{
    const QString text = m_year->currentText().trimmed();
    if (m_year->link()->isModified() && text != m_parish->editText(QStringLiteral("An_lucru")))
        switchYear(text, m_year->findText(text) == 0);
}

void TFirmDataDlg::switchYear(const QString& yearText, bool isFirstEntry)
{
    const DatabaseLocation::SwitchResult result =
        DatabaseLocation::instance().switchToYear(yearText, isFirstEntry);
    if (!result.ok) {
        // The connection stays where it was, and so does the year in force: the
        // refused text must not reach the record.
        m_year->link()->refresh();
        dialogs().warning(result.message);
        return;
    }
    if (!result.switched) {
        m_year->link()->refresh(); // the year already open: the record keeps what was typed
        return;
    }
    try {
        openParish(); // the record of the year now open
    } catch (const DbError& e) {
        dialogs().error(DbErrorText::forTable(QStringLiteral("parohie"), e.text()));
    }
}

void TFirmDataDlg::accept()
{
    yearTyped(); // a year still being typed moves the program or is refused, never stored as it is
    try {
        if (m_parish->isActive() && !m_parish->post())
            return;
    } catch (const DbError& e) {
        // What was typed stays on screen to be corrected.
        dialogs().error(DbErrorText::forTable(QStringLiteral("parohie"), e.text()));
        return;
    }
    m_parish->close();
    QDialog::accept();
}

void TFirmDataDlg::reject()
{
    m_parish->cancel();
    m_parish->close();
    QDialog::reject();
}
