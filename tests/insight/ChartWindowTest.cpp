#include "insight/ChartWindow.h"
#include "support/Documents.h"
#include "support/ReportFixture.h"
#include "widgets/DateEdit.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QImage>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

class ChartWindowTest : public ReportFixture
{
protected:
    void prepareYear() override
    {
        Documents::setYear(db, 2024, 100, 200);
        Documents::receipt(db, 1, QStringLiteral("2024-02-10"), 300, QStringLiteral("Casa"),
                           QStringLiteral("x"), 7);
        Documents::payment(db, 2, QStringLiteral("2024-03-12"), 120, QStringLiteral("Casa"),
                           QStringLiteral("y"), 23);
    }
    static void typeDate(TDateEdit* input, const char* digits)
    {
        input->setFocus();
        input->selectAll();
        QTest::keyClicks(input, QString::fromLatin1(digits));
    }
};

} // namespace

TEST_F(ChartWindowTest, ShowsTheFourChartsOfThePeriodSavesOneAsPngAndPrintsIt)
{
    QWidget owner;
    auto* w = new TGraficeFrm(&owner);
    w->show();
    QApplication::setActiveWindow(w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    typeDate(w->fromInput(), "01022024");
    typeDate(w->toInput(), "31032024");
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Arata")), Qt::LeftButton);
    const QStringList titles = {
        QStringLiteral("Incasari si plati pe luni, 01.02.2024 - 31.03.2024"),
        QStringLiteral("Venituri pe tipuri, 01.02.2024 - 31.03.2024"),
        QStringLiteral("Cheltuieli pe tipuri, 01.02.2024 - 31.03.2024"),
        QStringLiteral("Contributia anuala: cuvenita si incasata pe luni, 01.02.2024 - 31.03.2024"),
    };
    for (int k = 0; k < titles.size(); ++k)
        EXPECT_EQ(w->view(ChartPictures::Kind(k))->chart()->title(), titles[k]);

    w->findChild<QTabWidget*>(QStringLiteral("Grafice"))->setCurrentIndex(1);
    const QString png = folder->file(QStringLiteral("venituri.png"));
    dialogs.fileAnswers = {png};
    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("SalveazaPng")), Qt::LeftButton);
    const QImage image(png);
    EXPECT_EQ(image.size(), ChartPictures::drawingSize);

    QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("Printeaza")), Qt::LeftButton);
    ASSERT_EQ(printer.jobs.size(), 1);
    EXPECT_EQ(printer.jobs[0].model.pages.size(), 1);
    EXPECT_EQ(printer.jobs[0].model.pages[0].texts().first(), titles[1]);
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")), QStringList());
    delete w;
}

TEST_F(ChartWindowTest, APeriodEndingBeforeItStartsIsRefusedWithAMessage)
{
    QWidget owner;
    TGraficeFrm w(&owner);
    w.show();
    typeDate(w.fromInput(), "01042024");
    typeDate(w.toInput(), "31032024");
    EXPECT_FALSE(w.showCharts());
    EXPECT_EQ(dialogs.texts(QStringLiteral("warning")),
              QStringList{QStringLiteral("Intervalul de timp nu este corect! 31.03.2024 < 01.04.2024")});
}
