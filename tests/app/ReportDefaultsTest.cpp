#include "app/ProgramReports.h"
#include "core/StatusLine.h"
#include "printing/PrintSettings.h"
#include "printing/ReportCatalog.h"

#include <QHash>
#include <QLabel>
#include <gtest/gtest.h>

// Each report sets its print defaults and names them in the status line, or
// keeps quiet about them, as its own description says: the books and the
// balance sheets say nothing, the registers of receipts and payments, the
// ledgers, the candle register, the contribution lists and the stock list
// name Arial 8 in their orientation; the parish-record reports keep 10 points.
TEST(ReportDefaults, EachReportNamesItsDefaultsOnlyWhereItShould)
{
    const QString portrait = QStringLiteral("Parametrii de listare impliciti: Arial, 8, A4, Portret");
    const QString landscape = QStringLiteral("Parametrii de listare impliciti: Arial, 8, A4, Peisaj");
    const QString none;
    const QHash<QString, QString> notices{
        {QStringLiteral("registru-incasari-plati"), landscape},
        {QStringLiteral("registru-casa"), none},
        {QStringLiteral("registru-banca"), none},
        {QStringLiteral("fisa-venituri"), portrait},
        {QStringLiteral("fisa-cheltuieli"), portrait},
        {QStringLiteral("registru-pangar"), portrait},
        {QStringLiteral("bilant-v1"), none},
        {QStringLiteral("bilant-v2"), none},
        {QStringLiteral("bilant-v1-prevederi"), none},
        {QStringLiteral("bilant-v2-prevederi"), none},
        {QStringLiteral("situatie-contributii"), portrait},
        {QStringLiteral("restante"), portrait},
        {QStringLiteral("fisa-contributie"), portrait},
        {QStringLiteral("lista-enoriasi"), portrait},
        {QStringLiteral("fisa-evidenta"), none},
        {QStringLiteral("fisa-familie"), none},
        {QStringLiteral("registru-botezati"), none},
        {QStringLiteral("registru-cununati"), none},
        {QStringLiteral("registru-decedati"), none},
        {QStringLiteral("stoc"), portrait},
        {QStringLiteral("jurnal"), landscape},
        {QStringLiteral("grafic-lunar"), none},
        {QStringLiteral("grafic-venituri"), none},
        {QStringLiteral("grafic-cheltuieli"), none},
        {QStringLiteral("grafic-contributii"), none},
    };
    const PrintSettings before = printSettings();
    QLabel status;
    setStatusTarget(&status);
    for (const ReportEntry& entry : programReports().entries()) {
        SCOPED_TRACE(entry.name.toStdString());
        ASSERT_TRUE(notices.contains(entry.name)) << "a report of its own defaults";
        status.clear();
        ReportFrame::applyDefaults(entry.defaults);
        EXPECT_EQ(status.text(), notices.value(entry.name));
        EXPECT_EQ(printSettings().fontName, QStringLiteral("Arial"));
        EXPECT_EQ(printSettings().orientation, entry.defaults.orientation);
    }
    setStatusTarget(nullptr);
    printSettings() = before;
}
