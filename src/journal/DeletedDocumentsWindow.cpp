#include "journal/DeletedDocumentsWindow.h"

#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/ConnectionEvents.h"
#include "journal/StoredRows.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

QString localMoment(const QString& moment)
{
    const QDateTime utc = QDateTime::fromString(moment, Qt::ISODateWithMs);
    return utc.isValid() ? utc.toLocalTime().toString(QStringLiteral("dd.MM.yyyy HH:mm")) : moment;
}

QString fieldsText(const QString& table, const QList<JournalValue>& values)
{
    QStringList parts;
    for (const JournalValue& v : values)
        parts << QStringLiteral("%1: %2").arg(v.field, v.isBlanked() ? QStringLiteral("(sters la cerere)")
                                                                     : StoredRows::display(table, v.field, v.value));
    return parts.join(QStringLiteral("; "));
}

} // namespace

DeletedDocumentsWindow::DeletedDocumentsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DocumenteSterse"));
    setWindowTitle(QStringLiteral("Documente sterse"));
    // Wide enough for the list and the document's fields, never wider than the screen.
    const QRect room = (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
    resize(qMin(900, room.width()), qMin(520, room.height()));
    auto* layout = new QVBoxLayout(this);
    auto* caption = new QLabel(QStringLiteral("&Documentele sterse (cele mai noi primele):"), this);
    layout->addWidget(caption);
    m_list = new QTableWidget(0, 5, this);
    m_list->setObjectName(QStringLiteral("ListaDocumenteSterse"));
    m_list->setAccessibleName(QStringLiteral("Documentele sterse"));
    m_list->setHorizontalHeaderLabels({QStringLiteral("Sters la"), QStringLiteral("De catre"), QStringLiteral("Tabela"),
                                       QStringLiteral("Nr. doc."), QStringLiteral("Data doc.")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->verticalHeader()->hide();
    caption->setBuddy(m_list);
    layout->addWidget(m_list, 2);
    auto* detailsCaption = new QLabel(QStringLiteral("&Continutul documentului ales si liniile lui:"), this);
    layout->addWidget(detailsCaption);
    m_details = new QPlainTextEdit(this);
    m_details->setObjectName(QStringLiteral("ContinutDocumentSters"));
    m_details->setAccessibleName(QStringLiteral("Continutul documentului ales"));
    m_details->setReadOnly(true);
    detailsCaption->setBuddy(m_details);
    layout->addWidget(m_details, 1);
    auto* buttons = new QHBoxLayout;
    m_restore = new QPushButton(QStringLiteral("&Restaureaza"), this);
    m_restore->setObjectName(QStringLiteral("Restaureaza"));
    auto* close = new QPushButton(QStringLiteral("&Inchide"), this);
    close->setObjectName(QStringLiteral("Inchide"));
    buttons->addStretch();
    buttons->addWidget(m_restore);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_list, &QTableWidget::currentCellChanged, this, [this] { showChosen(); });
    connect(m_restore, &QPushButton::clicked, this, [this] { runGuarded([this] { restoreChosen(); }); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    reload();
}

void DeletedDocumentsWindow::execute(QWidget* parent)
{
    DeletedDocumentsWindow window(parent);
    window.exec();
}

void DeletedDocumentsWindow::reload()
{
    m_documents = DeletedDocuments::list(Connection::database());
    m_list->setRowCount(int(m_documents.size()));
    for (int row = 0; row < m_documents.size(); ++row) {
        const DeletedDocument& doc = m_documents[row];
        const QStringList cells = {localMoment(doc.moment), doc.user, doc.table, doc.number,
                                   doc.date.toString(QStringLiteral("dd.MM.yyyy"))};
        for (int column = 0; column < cells.size(); ++column)
            m_list->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_list->resizeColumnsToContents();
    m_restore->setEnabled(!m_documents.isEmpty());
    if (!m_documents.isEmpty())
        m_list->setCurrentCell(0, 0);
    showChosen();
}

void DeletedDocumentsWindow::showChosen()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_documents.size()) {
        m_details->setPlainText(m_documents.isEmpty() ? QStringLiteral("Nu exista documente sterse.") : QString());
        return;
    }
    const DeletedDocument& doc = m_documents[row];
    QStringList lines{fieldsText(doc.table, doc.values)};
    for (const DeletedDocument::Line& line : doc.lines)
        lines << QStringLiteral("  Linie (%1): %2").arg(line.table, fieldsText(line.table, line.values));
    m_details->setPlainText(lines.join(QLatin1Char('\n')));
}

void DeletedDocumentsWindow::restoreChosen()
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_documents.size()) {
        dialogs().warning(QStringLiteral("Alegeti din lista documentul de restaurat."));
        return;
    }
    const DeletedDocument doc = m_documents[row];
    const bool restored = DeletedDocuments::restore(
        Connection::database(), doc, [](const QString& taken, const QString& next) {
            return dialogs().question(QStringLiteral("Numarul %1 este folosit acum de alt document. Restaurati "
                                                     "documentul cu urmatorul numar liber, %2?")
                                          .arg(taken, next));
        });
    if (!restored)
        return;
    ConnectionEvents::instance().announceStored(Connection::name, doc.table, this);
    dialogs().information(QStringLiteral("Documentul nr. %1 din tabela %2 a fost restaurat.").arg(doc.number, doc.table));
    reload();
}
