#include "printing/ReportCatalog.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace
{

ReportEntry entry(const QString& name, const QString& command)
{
    ReportEntry e;
    e.name = name;
    e.caption = QStringLiteral("Raport ") + name;
    e.command = command;
    e.build = [](const ReportAnswers&) { return std::make_unique<Report>(); };
    return e;
}

} // namespace

TEST(ReportCatalog, FindsEachReportByNameAndByMenuCommandInTheOrderRegistered)
{
    ReportCatalog catalog;
    catalog.add(entry(QStringLiteral("registru-casa"), QStringLiteral("RegCasa")));
    catalog.add(entry(QStringLiteral("lista-fara-meniu"), QString()));
    catalog.add(entry(QStringLiteral("registru-banca"), QStringLiteral("RegBanca")));

    ASSERT_EQ(catalog.entries().size(), 3);
    EXPECT_EQ(catalog.entries()[2].name, QStringLiteral("registru-banca"));
    ASSERT_NE(catalog.find(QStringLiteral("registru-banca")), nullptr);
    EXPECT_EQ(catalog.find(QStringLiteral("registru-banca"))->command, QStringLiteral("RegBanca"));
    EXPECT_EQ(catalog.findByCommand(QStringLiteral("RegCasa"))->name, QStringLiteral("registru-casa"));
    EXPECT_EQ(catalog.find(QStringLiteral("registru")), nullptr);
    EXPECT_EQ(catalog.findByCommand(QString()), nullptr);
}

TEST(ReportCatalog, RefusesAReportItCouldNotTellApartOrNotBuild)
{
    ReportCatalog catalog;
    catalog.add(entry(QStringLiteral("registru-casa"), QStringLiteral("RegCasa")));
    ReportEntry withoutBuilder = entry(QStringLiteral("fara-constructor"), QString());
    withoutBuilder.build = nullptr;
    for (const ReportEntry& refused : {entry(QStringLiteral("registru-casa"), QStringLiteral("Alta")),
                                       entry(QStringLiteral("alt-nume"), QStringLiteral("RegCasa")),
                                       entry(QString(), QString()), withoutBuilder}) {
        SCOPED_TRACE(refused.name.toStdString());
        EXPECT_THROW(catalog.add(refused), std::invalid_argument);
    }
    EXPECT_EQ(catalog.entries().size(), 1);
}

TEST(CsvTable, SeparatesBySemicolonsQuotesWhatWouldBreakALineAndWritesUtf8)
{
    CsvTable csv;
    csv.header = {QStringLiteral("Data"), QStringLiteral("Explicatii"), QStringLiteral("Suma")};
    csv.rows = {{QStringLiteral("01.03.2024"), QStringLiteral("Donație; hram \"Sf. Ilie\""),
                 CsvTable::number(1234567.5, 2, QLocale(QLocale::Romanian, QLocale::Romania))},
                {QStringLiteral("02.03.2024"), QStringLiteral("doua\nranduri"),
                 CsvTable::number(0.1, -1, QLocale(QLocale::English, QLocale::UnitedStates))}};
    EXPECT_EQ(csv.text(), QStringLiteral("Data;Explicatii;Suma\n"
                                         "01.03.2024;\"Donație; hram \"\"Sf. Ilie\"\"\";1234567,50\n"
                                         "02.03.2024;\"doua\nranduri\";0.1\n"));
}
