#include "app/FirstSteps.h"
#include "app/MainUnt.h"
#include "catalogues/CatalogWindow.h"
#include "db/Connection.h"
#include "support/Documents.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace
{

class FirstStepsTest : public ::testing::Test
{
protected:
    TestFolder folder;
    ScriptedDialogs dialogs;
};

} // namespace

// Fresh: no parish name typed and no document of any kind.
TEST_F(FirstStepsTest, AParishIsFreshUntilItsNameOrItsFirstDocument)
{
    const QSqlDatabase db = folder.openWorkingYear();
    EXPECT_TRUE(FirstSteps::isFreshParish(db));
    execOrFail(QStringLiteral("UPDATE Parohia SET Parohia = '   '"));
    EXPECT_TRUE(FirstSteps::isFreshParish(db));
    execOrFail(QStringLiteral("UPDATE Parohia SET Parohia = 'Sf. Nicolae'"));
    EXPECT_FALSE(FirstSteps::isFreshParish(db));
    execOrFail(QStringLiteral("UPDATE Parohia SET Parohia = NULL"));
    Documents::payment(db, 1, QStringLiteral("2024-03-03"), 150, QStringLiteral("Banca"));
    EXPECT_FALSE(FirstSteps::isFreshParish(db));
}

// The first start shows the steps with their commands; they go once the
// parish has typed its name, when the main window is next activated.
TEST_F(FirstStepsTest, TheFirstStartShowsTheStepsAndTheirButtonsRunTheCommands)
{
    TMainFrm window;
    window.show();
    auto* steps = window.findChild<FirstStepsPanel*>();
    ASSERT_NE(steps, nullptr);
    EXPECT_TRUE(steps->isVisible());
    for (QPushButton* button : steps->findChildren<QPushButton*>())
        EXPECT_TRUE(button->accessibleName().endsWith(button->text())) << button->text().toStdString();

    auto* incomeTypes = steps->findChild<QPushButton*>(QStringLiteral("NomVenituri"));
    ASSERT_NE(incomeTypes, nullptr);
    EXPECT_EQ(incomeTypes->text(), QStringLiteral("Nomenclatoare > Venituri"));
    QTest::mouseClick(incomeTypes, Qt::LeftButton);
    auto* catalogue = window.findChild<TCatalogFrm*>();
    ASSERT_NE(catalogue, nullptr);
    EXPECT_TRUE(catalogue->isVisible());
    catalogue->close();

    execOrFail(QStringLiteral("UPDATE Parohia SET Parohia = 'Sf. Nicolae'"));
    QApplication::setActiveWindow(&window);
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activation);
    EXPECT_FALSE(steps->isVisible());
}
