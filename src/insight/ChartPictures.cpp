#include "insight/ChartPictures.h"

#include "db/DateFormat.h"
#include "db/FieldFormat.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QGraphicsScene>
#include <QHorizontalBarSeries>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>

namespace ChartPictures
{

namespace
{

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.4);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setLocale(QLocale());
    chart->setLocalizeNumbers(true);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    return chart;
}

// An axis of lei from 0 (or the lowest value below it) to a round top.
QValueAxis* amountAxis(double low, double high, const QString& caption)
{
    auto* axis = new QValueAxis;
    axis->setRange(std::min(0.0, low), high > 0 ? high * 1.05 : 1.0);
    axis->applyNiceNumbers();
    axis->setLabelFormat(QStringLiteral("%.0f"));
    axis->setTitleText(caption);
    return axis;
}

QStringList monthCategories(const QList<QDate>& months)
{
    QStringList list;
    for (const QDate& m : months)
        list << ChartData::monthText(m);
    return list;
}

} // namespace

QString title(Kind kind, const QDate& from, const QDate& to)
{
    QString caption;
    switch (kind) {
    case Kind::Monthly:
        caption = QStringLiteral("Incasari si plati pe luni");
        break;
    case Kind::Incomes:
        caption = QStringLiteral("Venituri pe tipuri");
        break;
    case Kind::Expenses:
        caption = QStringLiteral("Cheltuieli pe tipuri");
        break;
    case Kind::Contributions:
        caption = QStringLiteral("Contributia anuala: cuvenita si incasata pe luni");
        break;
    }
    return QStringLiteral("%1, %2 - %3")
        .arg(caption, DateFormat::toShortText(from), DateFormat::toShortText(to));
}

QChart* monthlyChart(const QList<ChartData::MonthFlow>& flows, const QString& title)
{
    QChart* chart = newChart(title);
    auto* incomes = new QBarSet(QStringLiteral("Incasari"));
    auto* payments = new QBarSet(QStringLiteral("Plati"));
    incomes->setColor(QColor(0x2e, 0x7d, 0x32));
    payments->setColor(QColor(0xc6, 0x28, 0x28));
    auto* balance = new QLineSeries;
    balance->setName(QStringLiteral("Sold la sfarsitul lunii"));
    balance->setColor(QColor(0x15, 0x65, 0xc0));
    QPen pen = balance->pen();
    pen.setWidth(3);
    balance->setPen(pen);
    balance->setPointsVisible(true);
    QList<QDate> months;
    double low = 0, high = 0;
    for (qsizetype i = 0; i < flows.size(); ++i) {
        const ChartData::MonthFlow& f = flows[i];
        *incomes << f.incomes;
        *payments << f.payments;
        balance->append(double(i), f.balance);
        months << f.month;
        low = std::min({low, f.balance});
        high = std::max({high, f.incomes, f.payments, f.balance});
    }
    auto* bars = new QBarSeries;
    bars->append(incomes);
    bars->append(payments);
    chart->addSeries(bars);
    chart->addSeries(balance);
    auto* x = new QBarCategoryAxis;
    x->append(monthCategories(months));
    x->setLabelsAngle(-45); // "MM.YYYY" whole, however narrow the months
    x->setTitleText(QStringLiteral("Luna"));
    chart->addAxis(x, Qt::AlignBottom);
    QValueAxis* y = amountAxis(low, high, QStringLiteral("lei"));
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : {static_cast<QAbstractSeries*>(bars), static_cast<QAbstractSeries*>(balance)}) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
    return chart;
}

QChart* typesChart(const QList<ChartData::TypeTotal>& types, const QString& title, bool incomes)
{
    QChart* chart = newChart(title);
    auto* set = new QBarSet(incomes ? QStringLiteral("Venituri") : QStringLiteral("Cheltuieli"));
    set->setColor(incomes ? QColor(0x2e, 0x7d, 0x32) : QColor(0xc6, 0x28, 0x28));
    set->setLabelColor(Qt::black);
    QStringList names;
    double high = 0;
    // The largest on top: a horizontal bar chart draws its first category at the bottom.
    for (auto it = types.crbegin(); it != types.crend(); ++it) {
        const QString name = it->code ? QStringLiteral("%1 %2").arg(*it->code).arg(it->name) : it->name;
        names << QStringLiteral("%1 (%2 lei)")
                     .arg(name.left(40), FieldFormat::formatNumber(it->amount, QStringLiteral("#,##0.00")));
        *set << it->amount;
        high = std::max(high, it->amount);
    }
    auto* bars = new QHorizontalBarSeries;
    bars->append(set);
    chart->addSeries(bars);
    auto* y = new QBarCategoryAxis;
    y->append(names);
    chart->addAxis(y, Qt::AlignLeft);
    QValueAxis* x = amountAxis(0, high, QStringLiteral("lei"));
    chart->addAxis(x, Qt::AlignBottom);
    bars->attachAxis(y);
    bars->attachAxis(x);
    chart->legend()->hide();
    return chart;
}

QChart* contributionChart(const QList<ChartData::MonthContribution>& months, const QString& title)
{
    QChart* chart = newChart(title);
    auto* due = new QBarSet(QStringLiteral("Cuvenita"));
    auto* collected = new QBarSet(QStringLiteral("Incasata"));
    due->setColor(QColor(0x9e, 0x9e, 0x9e));
    collected->setColor(QColor(0x2e, 0x7d, 0x32));
    QList<QDate> list;
    double high = 0;
    for (const ChartData::MonthContribution& m : months) {
        *due << m.due;
        *collected << m.collected;
        list << m.month;
        high = std::max({high, m.due, m.collected});
    }
    auto* bars = new QBarSeries;
    bars->append(due);
    bars->append(collected);
    chart->addSeries(bars);
    auto* x = new QBarCategoryAxis;
    x->append(monthCategories(list));
    x->setLabelsAngle(-45);
    x->setTitleText(QStringLiteral("Luna"));
    chart->addAxis(x, Qt::AlignBottom);
    QValueAxis* y = amountAxis(0, high, QStringLiteral("lei"));
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
    return chart;
}

QChart* chartOf(Kind kind, const QSqlDatabase& db, const QDate& from, const QDate& to)
{
    const QString caption = title(kind, from, to);
    switch (kind) {
    case Kind::Monthly:
        return monthlyChart(ChartData::monthlyFlows(db, from, to), caption);
    case Kind::Incomes:
        return typesChart(ChartData::incomeTypes(db, from, to), caption, true);
    case Kind::Expenses:
        return typesChart(ChartData::expenseTypes(db, from, to), caption, false);
    case Kind::Contributions:
        return contributionChart(ChartData::contributionByMonth(db, from, to), caption);
    }
    return nullptr;
}

namespace
{

// Draws the chart alone on a scene of its own, at that size.
void render(QChart* chart, const QSize& size, QPainter& painter)
{
    QGraphicsScene scene;
    const bool wasInScene = chart->scene() != nullptr;
    QGraphicsScene* previous = chart->scene();
    if (previous)
        previous->removeItem(chart);
    scene.addItem(chart);
    const QSizeF before = chart->size();
    chart->resize(size);
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    scene.removeItem(chart);
    if (wasInScene) {
        previous->addItem(chart);
        chart->resize(before);
    }
}

} // namespace

std::shared_ptr<const QPicture> picture(QChart* chart, const QSize& size)
{
    auto drawing = std::make_shared<QPicture>();
    {
        QPainter painter(drawing.get());
        render(chart, size, painter);
    }
    drawing->setBoundingRect(QRect(QPoint(0, 0), size));
    return drawing;
}

QImage image(QChart* chart, const QSize& size)
{
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::white);
    QPainter painter(&result);
    render(chart, size, painter);
    return result;
}

} // namespace ChartPictures
