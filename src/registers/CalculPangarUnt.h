#pragma once

#include "core/Progress.h"

#include <QSqlDatabase>
#include <QString>

// The candle-shop work table (Pangar) rebuilt from the documents: candles
// bought (expenses of the candle purchase type, Contor.CodChLum) come in,
// candles sold (incomes of the candle sale type, Contor.CodVenLum) go out.
//
// The opening row "Report", dated 1 January of the working year, holds the
// opening stock (Contor.Count_venit) and its value (Contor.Count_chelt), also
// when they are empty or 0. Then every purchase line and every sale line is a
// row of its own, also two alike; within a day the opening row comes first,
// then the purchases, then the sales, each in the order they were stored.
// Every row carries the stock (Stoc) and the stock value (Sold) after it.
// Rows without a date are kept: they sort first, so they count in the stock
// of every row after them.
//
// Runs in one transaction: on a failure the work table is left as it was.
// Throws UserError with the text the user sees: the work table cannot be
// rebuilt ("Nu pot crea fisierul :..."), or the store failed later
// ("Eroare de acces la tabela Pangar!...").

// Caption of the progress window.
inline const QString calculPangarCaption = QStringLiteral("Calcul registru pangar");

void CalculPangar(const QSqlDatabase& db, Progress& progress = noProgress());
