#include "widgets/DBNavigator.h"

#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace
{

using B = TDBNavigator;

// The income types (18 of them) under a navigator with every button.
class DBNavigatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        types.open();
        navigator.bind(&types);
        navigator.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&navigator));
    }

    void click(TDBNavigator::Button button) { QTest::mouseClick(navigator.button(button), Qt::LeftButton); }
    bool enabled(TDBNavigator::Button button) const { return navigator.button(button)->isEnabled(); }
    // The enabled buttons, in the navigator's order.
    QString enabledButtons() const
    {
        QStringList names;
        for (const TDBNavigator::Button b : {B::First, B::Prior, B::Next, B::Last, B::Insert, B::Delete,
                                             B::Edit, B::Post, B::Cancel, B::Refresh})
            if (enabled(b))
                names << TDBNavigator::defaultHint(b);
        return names.join(QLatin1Char(' '));
    }
    static int stored() { return storedRows(QStringLiteral("Tip_venituri")); }

    TestFolder folder;
    ScriptedDialogs dialogs;
    Dataset types{QStringLiteral("Tip_venituri")};
    TDBNavigator navigator;
};

} // namespace

TEST_F(DBNavigatorTest, MovesThroughTheRecordsAndFollowsTheEnds)
{
    const QString browsing = QStringLiteral("Adauga Sterge Modifica Reincarca");
    EXPECT_EQ(enabledButtons(), QStringLiteral("Urmator Ultimul ") + browsing);
    const struct {
        TDBNavigator::Button button;
        int recNo;
        const char* enabledMoves;
    } steps[] = {
        {B::Next, 2, "Primul Anterior Urmator Ultimul "},
        {B::Last, 18, "Primul Anterior "},
        {B::Prior, 17, "Primul Anterior Urmator Ultimul "},
        {B::Next, 18, "Primul Anterior "},
        {B::First, 1, "Urmator Ultimul "},
    };
    for (const auto& s : steps) {
        click(s.button);
        EXPECT_EQ(types.recNo(), s.recNo) << TDBNavigator::defaultHint(s.button).toStdString();
        EXPECT_EQ(enabledButtons(), QString::fromLatin1(s.enabledMoves) + browsing)
            << TDBNavigator::defaultHint(s.button).toStdString();
    }
    // A move made elsewhere (a grid, a key) is followed too.
    types.last();
    EXPECT_EQ(enabledButtons(), QStringLiteral("Primul Anterior ") + browsing);
}

TEST_F(DBNavigatorTest, InsertsEditsPostsAndCancels)
{
    click(B::Insert);
    EXPECT_EQ(types.state(), DatasetState::Insert);
    EXPECT_TRUE(enabled(B::Post) && enabled(B::Cancel));
    EXPECT_FALSE(enabled(B::Edit));
    click(B::Cancel);
    EXPECT_EQ(types.state(), DatasetState::Browse);
    EXPECT_EQ(types.recordCount(), 18);

    click(B::Insert);
    types.setValue(QStringLiteral("Cod_venit"), 77);
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Donatii pentru pictura"));
    click(B::Post);
    EXPECT_EQ(types.state(), DatasetState::Browse);
    EXPECT_FALSE(enabled(B::Post) || enabled(B::Cancel));
    EXPECT_EQ(stored(), 19);

    click(B::Edit);
    EXPECT_EQ(types.state(), DatasetState::Edit);
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Pictura bisericii"));
    click(B::Post);
    EXPECT_EQ(Sql::scalar(Connection::database(), QStringLiteral("SELECT Denumire FROM Tip_venituri "
                                                                 "WHERE Cod_venit = 77"))
                  .toString(),
              QStringLiteral("Pictura bisericii"));

    click(B::Edit);
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("alt nume"));
    click(B::Cancel);
    EXPECT_EQ(types.asString(QStringLiteral("Denumire")), QStringLiteral("Pictura bisericii"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(DBNavigatorTest, DeleteAsksTheGridsQuestionFirst)
{
    types.setRecNo(3);
    const int code = types.asInteger(QStringLiteral("Cod_venit"));
    dialogs.answers = {false};
    click(B::Delete);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")), QStringList{QStringLiteral("Delete record?")});
    EXPECT_EQ(stored(), 18) << "Nu keeps the record";

    dialogs.answers = {true};
    click(B::Delete);
    EXPECT_EQ(stored(), 17);
    EXPECT_FALSE(types.locate(QStringLiteral("Cod_venit"), {code}));

    // A window whose delete event asks its own question turns the navigator's off.
    navigator.setConfirmDelete(false);
    click(B::Delete);
    EXPECT_EQ(stored(), 16);
    EXPECT_EQ(dialogs.texts(QStringLiteral("question")).size(), 2);
}

TEST_F(DBNavigatorTest, ARefusedOperationIsNeverSilent)
{
    // A data event that refuses tells the user itself, and the record stays in edit.
    types.beforePost = [](Dataset& ds) {
        if (ds.asString(QStringLiteral("Denumire")).isEmpty()) {
            ::dialogs().warning(
                QStringLiteral("Informatie incompleta, introduceti atat codul, cat si denumirea!"));
            throw SilentAbort();
        }
    };
    const QVariant takenCode = types.value(QStringLiteral("Cod_venit"));
    click(B::Insert);
    types.setValue(QStringLiteral("Cod_venit"), 80);
    click(B::Post);
    EXPECT_EQ(types.state(), DatasetState::Insert);
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("warning")),
        QStringList{QStringLiteral("Informatie incompleta, introduceti atat codul, cat si denumirea!")});

    // A key the store refuses reaches the general error box; what was typed stays.
    types.setValue(QStringLiteral("Cod_venit"), takenCode);
    types.setValue(QStringLiteral("Denumire"), QStringLiteral("Dublura"));
    click(B::Post);
    EXPECT_EQ(types.state(), DatasetState::Insert);
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")).size(), 1);
    EXPECT_EQ(types.asString(QStringLiteral("Denumire")), QStringLiteral("Dublura"));
    EXPECT_EQ(stored(), 18);
}

TEST_F(DBNavigatorTest, RefreshReadsWhatOthersStored)
{
    Sql::exec(Connection::database(),
              QStringLiteral("INSERT INTO Tip_venituri (Cod_venit, Denumire) VALUES (90, 'Chirii')"));
    EXPECT_EQ(types.recordCount(), 18);
    click(B::Refresh);
    EXPECT_EQ(types.recordCount(), 19);
}

TEST_F(DBNavigatorTest, EmptyAndClosedDatasetsOfferOnlyWhatCanBeDone)
{
    Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Tip_venituri"));
    click(B::Refresh);
    EXPECT_EQ(enabledButtons(), QStringLiteral("Adauga Modifica Reincarca"));
    types.close();
    EXPECT_EQ(enabledButtons(), QString());
    click(B::Insert); // a disabled button does nothing
    EXPECT_FALSE(types.isActive());

    // A window that frees its dataset before the navigator leaves nothing to press.
    auto* expenses = new Dataset(QStringLiteral("Tip_cheltuieli"));
    expenses->open();
    navigator.bind(expenses);
    EXPECT_TRUE(enabled(B::Next));
    delete expenses;
    EXPECT_EQ(enabledButtons(), QString());
    navigator.press(B::Next);
}

TEST_F(DBNavigatorTest, EachWindowChoosesAndNamesItsButtons)
{
    const struct {
        TDBNavigator::Button button;
        const char* hint;
    } defaults[] = {
        {B::First, "Primul"},   {B::Prior, "Anterior"},    {B::Next, "Urmator"},  {B::Last, "Ultimul"},
        {B::Insert, "Adauga"},  {B::Delete, "Sterge"},     {B::Edit, "Modifica"}, {B::Post, "Salveaza"},
        {B::Cancel, "Renunta"}, {B::Refresh, "Reincarca"},
    };
    for (const auto& d : defaults) {
        const QToolButton* b = navigator.button(d.button);
        EXPECT_EQ(b->toolTip(), QString::fromLatin1(d.hint));
        EXPECT_EQ(b->statusTip(), QString::fromLatin1(d.hint));
        EXPECT_EQ(b->accessibleName(), QString::fromLatin1(d.hint));
    }

    // The incomes window: no edit button, its own words.
    navigator.setButtons(TDBNavigator::allButtons() & ~TDBNavigator::Buttons(B::Edit));
    navigator.setHint(B::First, QStringLiteral("Primul document"));
    navigator.setHint(B::Cancel, QStringLiteral("Anuleaza modificarile"));
    EXPECT_FALSE(navigator.button(B::Edit)->isVisible());
    EXPECT_TRUE(navigator.button(B::Post)->isVisible());
    EXPECT_EQ(navigator.button(B::First)->statusTip(), QStringLiteral("Primul document"));
    EXPECT_EQ(navigator.button(B::Cancel)->accessibleName(), QStringLiteral("Anuleaza modificarile"));
    EXPECT_EQ(navigator.hint(B::Cancel), QStringLiteral("Anuleaza modificarile"));
}
