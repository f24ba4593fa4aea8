#include "printing/ReportPreview.h"

#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"
#include "printing/PagePainter.h"
#include "printing/PrinterAccess.h"
#include "printing/ReportLayout.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

TReportPreview::TReportPreview(ReportDefinition& report, QWidget* parent, std::function<CsvTable()> csv)
    : QDialog(parent), m_report(report), m_csv(std::move(csv))
{
    setWindowTitle(report.name.isEmpty() ? QStringLiteral("Previzualizare raport") : report.name);
    setObjectName(QStringLiteral("TReportPreview"));
    m_model = ReportLayout::run(report);

    // The page and zoom buttons show signs; a screen reader says what they do.
    const auto addButton = [this](QHBoxLayout* row, const QString& caption, const QString& name,
                                  const QString& spoken, auto action) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(spoken);
        if (QString(caption).remove(QLatin1Char('&')) != spoken)
            b->setToolTip(spoken);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [action] { runGuarded(action); });
        row->addWidget(b);
    };
    auto* bar = new QHBoxLayout;
    addButton(bar, QStringLiteral("|<"), QStringLiteral("PrimaPagina"), QStringLiteral("Prima pagina"),
              [this] { showPage(0); });
    addButton(bar, QStringLiteral("<"), QStringLiteral("PaginaAnterioara"),
              QStringLiteral("Pagina anterioara"), [this] { showPage(m_page - 1); });
    addButton(bar, QStringLiteral(">"), QStringLiteral("PaginaUrmatoare"), QStringLiteral("Pagina urmatoare"),
              [this] { showPage(m_page + 1); });
    addButton(bar, QStringLiteral(">|"), QStringLiteral("UltimaPagina"), QStringLiteral("Ultima pagina"),
              [this] { showPage(int(m_model.pages.size()) - 1); });
    m_position = new QLabel(this);
    bar->addWidget(m_position);
    addButton(bar, QStringLiteral("-"), QStringLiteral("Micsoreaza"), QStringLiteral("Micsoreaza"),
              [this] { zoom(m_zoom / 1.25); });
    addButton(bar, QStringLiteral("+"), QStringLiteral("Mareste"), QStringLiteral("Mareste"),
              [this] { zoom(m_zoom * 1.25); });
    bar->addStretch();
    addButton(bar, QStringLiteral("&Printeaza"), QStringLiteral("Printeaza"), QStringLiteral("Printeaza"),
              [this] { print(); });
    addButton(bar, QStringLiteral("&Salveaza PDF"), QStringLiteral("SalveazaPdf"),
              QStringLiteral("Salveaza PDF"), [this] { savePdf(); });
    if (m_csv)
        addButton(bar, QStringLiteral("Salveaza &CSV"), QStringLiteral("SalveazaCsv"),
                  QStringLiteral("Salveaza CSV"), [this] { saveCsv(); });
    addButton(bar, QStringLiteral("&Inchide"), QStringLiteral("Inchide"), QStringLiteral("Inchide"),
              [this] { reject(); });

    m_image = new QLabel(this);
    m_image->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_image);
    m_scroll->setWidgetResizable(true);
    m_scroll->setBackgroundRole(QPalette::Dark);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size() * 0.85);
    render();
}

QString TReportPreview::pageText() const
{
    if (m_model.pages.isEmpty())
        return QStringLiteral("Raportul nu are nicio pagina");
    return QStringLiteral("Pagina %1 din %2").arg(m_page + 1).arg(m_model.pages.size());
}

void TReportPreview::showPage(int page)
{
    m_page = std::clamp(page, 0, std::max(0, int(m_model.pages.size()) - 1));
    render();
}

void TReportPreview::zoom(double factor)
{
    m_zoom = std::clamp(factor, 0.3, 4.0);
    render();
}

void TReportPreview::render()
{
    m_position->setText(pageText());
    if (m_model.pages.isEmpty()) {
        m_image->clear();
        return;
    }
    const double dpi = 96.0 * m_zoom;
    const QSizeF paper = m_model.paperSize();
    QImage image(qRound(paper.width() / 25.4 * dpi), qRound(paper.height() / 25.4 * dpi),
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PagePainter::paintPage(m_model, m_page, painter, dpi);
    painter.end();
    m_image->setPixmap(QPixmap::fromImage(image));
}

void TReportPreview::print()
{
    // The report is laid out again, so its handlers run afresh.
    printReport(ReportLayout::run(m_report));
}

void TReportPreview::savePdf()
{
    const QString file = choosePdfFile();
    if (file.isEmpty())
        return;
    PagePainter::writePdf(m_model, file);
}

void TReportPreview::saveCsv()
{
    if (!m_csv)
        return;
    QString file = dialogs().saveFileName(QStringLiteral("Salveaza raportul ca CSV"),
                                          QStringLiteral("Fisiere CSV (*.csv)"), QString());
    if (file.isEmpty())
        return;
    if (!file.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        file += QStringLiteral(".csv");
    m_csv().write(file);
}

void TReportPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(m_page + 1);
        return;
    case Qt::Key_PageUp:
        showPage(m_page - 1);
        return;
    case Qt::Key_Home:
        showPage(0);
        return;
    case Qt::Key_End:
        showPage(int(m_model.pages.size()) - 1);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
