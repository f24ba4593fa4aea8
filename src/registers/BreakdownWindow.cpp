#include "registers/BreakdownWindow.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

QString breakdownAmount(double amount)
{
    return FieldFormat::formatNumber(amount, QStringLiteral("#,##0.00"));
}

} // namespace

TDocumenteFrm::TDocumenteFrm(const BalanceRowBreakdown::Breakdown& breakdown, QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("TDocumenteFrm"));
    setWindowTitle(QStringLiteral("Documente"));
    setAccessibleName(windowTitle());

    auto* title = new QLabel(breakdown.title, this);
    title->setObjectName(QStringLiteral("Titlu"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setWordWrap(true);

    const QStringList captions = {QStringLiteral("Felul"),      QStringLiteral("Numar"),
                                  QStringLiteral("Data"),       QStringLiteral("Numele"),
                                  QStringLiteral("Explicatia"), QStringLiteral("Suma")};
    m_grid = new QTableWidget(int(breakdown.lines.size()), int(captions.size()), this);
    m_grid->setObjectName(QStringLiteral("Linii"));
    m_grid->setAccessibleName(QStringLiteral("Documentele figurii"));
    m_grid->setHorizontalHeaderLabels(captions);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    for (int row = 0; row < breakdown.lines.size(); ++row) {
        const BalanceRowBreakdown::Line& line = breakdown.lines[row];
        const QStringList cells = {line.kind,
                                   line.number ? FieldFormat::formatNumber(*line.number, QStringLiteral("0"))
                                               : QString(),
                                   line.date.isValid() ? DateFormat::toShortText(line.date) : QString(),
                                   line.name,
                                   line.explanation,
                                   breakdownAmount(line.amount)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (column == 1 || column == 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_grid->setItem(row, column, item);
        }
    }
    m_grid->resizeColumnsToContents();
    m_grid->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);

    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("Total"));
    m_total->setText(breakdown.total ? QStringLiteral("%1 %2, total %3")
                                           .arg(breakdown.lines.size())
                                           .arg(breakdown.lines.size() == 1 ? QStringLiteral("linie")
                                                                            : QStringLiteral("linii"),
                                                breakdownAmount(*breakdown.total))
                                     : QStringLiteral("Fara total"));
    m_total->setFont(bold);
    m_note = new QLabel(breakdown.note, this);
    m_note->setObjectName(QStringLiteral("Nota"));
    m_note->setWordWrap(true);

    auto* close = new QPushButton(QStringLiteral("Inc&hide"), this);
    close->setObjectName(QStringLiteral("Inchide"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_total, 1);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_note);
    layout->addLayout(bottom);
    resize(820, 440);
}

TDocumenteFrm* TDocumenteFrm::showBreakdown(const BalanceRowBreakdown::Breakdown& breakdown, QWidget* owner)
{
    auto* window = new TDocumenteFrm(breakdown, owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    window->m_grid->setFocus();
    return window;
}
