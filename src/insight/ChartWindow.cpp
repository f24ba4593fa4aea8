#include "insight/ChartWindow.h"

#include "core/BusyCursor.h"
#include "core/ErrorGuard.h"
#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/DateFormat.h"
#include "db/WorkingYear.h"
#include "insight/ChartReports.h"
#include "printing/ReportFrame.h"
#include "widgets/DateEdit.h"
#include "widgets/FormRows.h"
#include "widgets/WindowSize.h"

#include <QChartView>
#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace
{

const QList<std::pair<ChartPictures::Kind, const char*>>& chartPages()
{
    static const QList<std::pair<ChartPictures::Kind, const char*>> pages = {
        {ChartPictures::Kind::Monthly, "Incasari si plati"},
        {ChartPictures::Kind::Incomes, "Venituri pe tipuri"},
        {ChartPictures::Kind::Expenses, "Cheltuieli pe tipuri"},
        {ChartPictures::Kind::Contributions, "Contributia anuala"},
    };
    return pages;
}

QString chartFileName(ChartPictures::Kind kind)
{
    switch (kind) {
    case ChartPictures::Kind::Monthly:
        return QStringLiteral("grafic-lunar");
    case ChartPictures::Kind::Incomes:
        return QStringLiteral("grafic-venituri");
    case ChartPictures::Kind::Expenses:
        return QStringLiteral("grafic-cheltuieli");
    case ChartPictures::Kind::Contributions:
        return QStringLiteral("grafic-contributii");
    }
    return {};
}

} // namespace

TGraficeFrm::TGraficeFrm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TGraficeFrm"));
    setWindowTitle(QStringLiteral("Grafice"));
    setAccessibleName(windowTitle());

    const int year = workingYearOf(Connection::database());
    m_from = new TDateEdit(this);
    m_from->setObjectName(QStringLiteral("DeLaData"));
    m_from->setDate(QDate(year, 1, 1));
    m_to = new TDateEdit(this);
    m_to->setObjectName(QStringLiteral("PanaLaData"));
    m_to->setDate(QDate(year, 12, 31));
    auto* show = new QPushButton(QStringLiteral("&Arata"), this);
    show->setObjectName(QStringLiteral("Arata"));
    auto* png = new QPushButton(QStringLiteral("Salveaza ima&gine (PNG)"), this);
    png->setObjectName(QStringLiteral("SalveazaPng"));
    auto* print = new QPushButton(QStringLiteral("&Printeaza"), this);
    print->setObjectName(QStringLiteral("Printeaza"));
    auto* close = new QPushButton(QStringLiteral("Inc&hide"), this);
    close->setObjectName(QStringLiteral("Inchide"));

    auto* period = new QHBoxLayout;
    period->addWidget(makeCaptionLabel(QStringLiteral("&De la data:"), m_from, this));
    period->addWidget(m_from);
    period->addWidget(makeCaptionLabel(QStringLiteral("Pa&na la data:"), m_to, this));
    period->addWidget(m_to);
    period->addWidget(show);
    period->addStretch(1);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("Grafice"));
    for (const auto& [kind, caption] : chartPages()) {
        auto* view = new QChartView(m_pages);
        view->setObjectName(chartFileName(kind));
        view->setRenderHint(QPainter::Antialiasing);
        view->setAccessibleName(QString::fromLatin1(caption));
        m_pages->addTab(view, QString::fromLatin1(caption));
        m_views << view;
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(png);
    buttons->addWidget(print);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(period);
    layout->addWidget(m_pages, 1);
    layout->addLayout(buttons);
    resize(1000, 700);
    keepWindowSize(this);

    connect(show, &QPushButton::clicked, this, [this] { runGuarded([this] { showCharts(); }); });
    connect(png, &QPushButton::clicked, this, [this] { runGuarded([this] { savePng(); }); });
    connect(print, &QPushButton::clicked, this, [this] { runGuarded([this] { this->print(); }); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    runGuarded([this] { showCharts(); });
}

QChartView* TGraficeFrm::view(ChartPictures::Kind kind) const
{
    return m_views.value(int(kind));
}

ChartPictures::Kind TGraficeFrm::currentKind() const
{
    return ChartPictures::Kind(m_pages->currentIndex());
}

bool TGraficeFrm::showCharts()
{
    if (!m_from->acceptText() || !m_to->acceptText())
        return false;
    const QDate from = m_from->date(), to = m_to->date();
    if (from > to) {
        dialogs().warning(QStringLiteral("Intervalul de timp nu este corect! %1 < %2")
                              .arg(DateFormat::toShortText(to), DateFormat::toShortText(from)));
        return false;
    }
    BusyCursor busy(true);
    const QSqlDatabase db = Connection::database();
    for (const auto& [kind, caption] : chartPages()) {
        QChartView* v = view(kind);
        QChart* old = v->chart();
        v->setChart(ChartPictures::chartOf(kind, db, from, to));
        delete old;
    }
    m_shownFrom = from;
    m_shownTo = to;
    return true;
}

void TGraficeFrm::savePng()
{
    QChartView* v = view(currentKind());
    if (!v->chart() || !m_shownFrom.isValid())
        return;
    const QString file =
        dialogs().saveFileName(QStringLiteral("Salveaza graficul"), QStringLiteral("Imagini PNG (*.png)"),
                               chartFileName(currentKind()) + QStringLiteral(".png"));
    if (file.isEmpty())
        return;
    if (!ChartPictures::image(v->chart()).save(file, "PNG")) {
        dialogs().error(QStringLiteral("Fisierul %1 nu poate fi scris.").arg(QDir::toNativeSeparators(file)));
        return;
    }
    dialogs().information(
        QStringLiteral("Graficul a fost salvat in %1.").arg(QDir::toNativeSeparators(file)));
}

void TGraficeFrm::print()
{
    if (!m_shownFrom.isValid())
        return;
    const ChartPictures::Kind kind = currentKind();
    const QDate from = m_shownFrom, to = m_shownTo;
    ReportFrame::run(
        this, {10, QPageLayout::Landscape}, [kind, from, to] { return buildChartReport(kind, from, to); },
        [kind, from, to](const Report&) { return chartFigures(kind, Connection::database(), from, to); });
}
