#include "widgets/Intrvdlg.h"

#include "widgets/DateEdit.h"
#include "widgets/FormRows.h"
#include "widgets/PeriodCheck.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TIntervalDlg::TIntervalDlg(const QDate& from, const QDate& to, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Setati intervalul dorit:"));
    setObjectName(QStringLiteral("TIntervalDlg"));
    m_from = new TDateEdit(this);
    m_from->setObjectName(QStringLiteral("DeLaData"));
    m_from->setDate(from);
    m_to = new TDateEdit(this);
    m_to->setObjectName(QStringLiteral("PanaInData"));
    m_to->setDate(to);
    m_from->installEventFilter(this);
    m_to->installEventFilter(this);
    // The labels come before the buttons: Alt+D, shared by "De la data de" and
    // "Deschide", goes to the date first.
    QLabel* fromLabel = makeCaptionLabel(QStringLiteral("&De la data de :"), m_from, this);
    QLabel* toLabel = makeCaptionLabel(QStringLiteral("&pana în data:"), m_to, this);

    auto* openButton = new QPushButton(QStringLiteral("&Deschide"), this);
    openButton->setObjectName(QStringLiteral("Deschide"));
    openButton->setToolTip(QStringLiteral("Sunt de acord"));
    openButton->setStatusTip(QStringLiteral("Sunt de acord"));
    openButton->setAutoDefault(false);
    auto* closeButton = new QPushButton(QStringLiteral("&Inchide"), this);
    closeButton->setObjectName(QStringLiteral("Inchide"));
    closeButton->setToolTip(QStringLiteral("Renunt"));
    closeButton->setStatusTip(QStringLiteral("Renunt"));
    closeButton->setAutoDefault(false);
    connect(openButton, &QPushButton::clicked, this, &TIntervalDlg::confirm);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(fromLabel, m_from);
    form->addRow(toLabel, m_to);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(openButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    m_from->setFocus();
}

void TIntervalDlg::confirm()
{
    // A text that is not a date never lets another date through in its place.
    for (TDateEdit* input : {m_from, m_to})
        if (!input->acceptText()) {
            input->setFocus();
            input->selectAll();
            return;
        }
    const QDate from = m_from->date();
    const QDate to = m_to->date();
    if (!acceptPeriod(from, to))
        return;
    m_fromDate = from;
    m_toDate = to;
    accept();
}

bool TIntervalDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                           !(key->modifiers() & Qt::ControlModifier);
        if (enter && watched == m_from) {
            m_to->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (enter && watched == m_to) {
            confirm();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
