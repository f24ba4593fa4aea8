#pragma once

#include "insight/ChartData.h"

#include <QDate>
#include <QImage>
#include <QPicture>
#include <QString>
#include <memory>

class QChart;

// The four charts of a period, drawn with Qt Charts, titled and labelled in
// Romanian with the amounts in the locale's notation.
namespace ChartPictures
{

enum class Kind { Monthly, Incomes, Expenses, Contributions };

// The chart's title, the period named: "Incasari si plati pe luni, 01.01.2024 - 31.12.2024".
QString title(Kind kind, const QDate& from, const QDate& to);

// A chart of the figures, ready to be shown or drawn; the caller owns it.
QChart* monthlyChart(const QList<ChartData::MonthFlow>& flows, const QString& title);
QChart* typesChart(const QList<ChartData::TypeTotal>& types, const QString& title, bool incomes);
QChart* contributionChart(const QList<ChartData::MonthContribution>& months, const QString& title);

// The chart computed from the database for the period. Throws DbError, UserError.
QChart* chartOf(Kind kind, const QSqlDatabase& db, const QDate& from, const QDate& to);

// Its drawing at `size` (device pixels), as vectors (for the report page) or as an image.
inline const QSize drawingSize{1000, 640};
std::shared_ptr<const QPicture> picture(QChart* chart, const QSize& size = drawingSize);
QImage image(QChart* chart, const QSize& size = drawingSize);

} // namespace ChartPictures
