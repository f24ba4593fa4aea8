#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TDBLookupComboBoxNormal.h"
#include "widgets/dbdate.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace
{

// A small entry window: three bound inputs over the income types.
class BoundInputs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        types.open();
        auto* layout = new QVBoxLayout(&window);
        for (const char* field : {"Cod_venit", "Denumire", "Explicatie_venit"}) {
            auto* input = new TDBEditNormal(&window);
            input->setObjectName(QString::fromLatin1(field));
            input->bind(&types, input->objectName());
            layout->addWidget(input);
            inputs << input;
        }
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        inputs[0]->setFocus();
    }

    QWidget* focused() const { return QApplication::focusWidget(); }
    static int storedTypes() { return storedRows(QStringLiteral("Tip_venituri")); }

    TestFolder folder;
    ScriptedDialogs dialogs;
    Dataset types{QStringLiteral("Tip_venituri")};
    QWidget window;
    QList<TDBEditNormal*> inputs;
};

} // namespace

TEST_F(BoundInputs, KeysMoveBetweenInputsInTabOrder)
{
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int from;
        int to;
    } cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 0, 1}, {Qt::Key_Enter, Qt::NoModifier, 1, 2},
        {Qt::Key_Return, Qt::NoModifier, 2, 0}, // the last input wraps to the first
        {Qt::Key_Down, Qt::NoModifier, 0, 1},   {Qt::Key_Up, Qt::NoModifier, 1, 0},
        {Qt::Key_Up, Qt::NoModifier, 0, 2},     {Qt::Key_Return, Qt::ShiftModifier, 1, 1},
        {Qt::Key_Up, Qt::ShiftModifier, 1, 1},
    };
    for (const auto& c : cases) {
        inputs[c.from]->setFocus();
        QTest::keyClick(inputs[c.from], c.key, c.modifiers);
        EXPECT_EQ(focused(), inputs[c.to]) << "key " << c.key << " from " << c.from;
    }
    EXPECT_EQ(inputs[1]->text(), QStringLiteral("Contributia anuala a credinciosilor")); // no character typed
}

TEST_F(BoundInputs, TypingEditsThePageKeysPostAndMove)
{
    inputs[1]->setFocus();
    inputs[1]->selectAll();
    QTest::keyClicks(inputs[1], QStringLiteral("Contributii"));
    EXPECT_EQ(types.state(), DatasetState::Edit);
    QTest::keyClick(inputs[1], Qt::Key_PageDown);
    EXPECT_EQ(types.recNo(), 2);
    EXPECT_EQ(inputs[1]->text(), QStringLiteral("Taine si ierurgii"));
    EXPECT_EQ(Sql::scalar(Connection::database(),
                          QStringLiteral("SELECT Denumire FROM Tip_venituri WHERE Cod_venit = 2"))
                  .toString(),
              QStringLiteral("Contributii"));
    QTest::keyClick(inputs[1], Qt::Key_PageUp);
    EXPECT_EQ(types.recNo(), 1);
    EXPECT_EQ(inputs[1]->text(), QStringLiteral("Contributii"));

    // Ctrl+U drops what was typed.
    QTest::keyClicks(inputs[1], QStringLiteral(" anuale"));
    QTest::keyClick(inputs[1], Qt::Key_U, Qt::ControlModifier);
    EXPECT_EQ(types.state(), DatasetState::Browse);
    EXPECT_EQ(inputs[1]->text(), QStringLiteral("Contributii"));
}

TEST_F(BoundInputs, InsertAndCtrlDelete)
{
    QTest::keyClick(inputs[0], Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(types.state(), DatasetState::Insert);
    EXPECT_TRUE(inputs[0]->text().isEmpty());
    QTest::keyClick(inputs[0], Qt::Key_Delete, Qt::ControlModifier); // a new record is only abandoned
    EXPECT_EQ(types.state(), DatasetState::Browse);
    EXPECT_EQ(storedTypes(), 18);

    types.last();
    QTest::keyClick(inputs[0], Qt::Key_Delete, Qt::ControlModifier); // an existing one goes at once
    EXPECT_EQ(storedTypes(), 17);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(inputs[0]->text(), QStringLiteral("18"));
}

TEST_F(BoundInputs, CtrlRReadsTheTableAgain)
{
    Sql::exec(Connection::database(),
              QStringLiteral("UPDATE Tip_venituri SET Denumire = 'Schimbat' WHERE Cod_venit = 2"));
    EXPECT_NE(inputs[1]->text(), QStringLiteral("Schimbat"));
    QTest::keyClick(inputs[1], Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(inputs[1]->text(), QStringLiteral("Schimbat"));
}

TEST_F(BoundInputs, ARefusedTextKeepsTheFocusAndWhatWasTyped)
{
    inputs[0]->selectAll();
    QTest::keyClicks(inputs[0], QStringLiteral("doi"));
    QTest::keyClick(inputs[0], Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList{"\"doi\" nu este un numar (campul Cod_venit)"});
    EXPECT_EQ(focused(), inputs[0]);
    EXPECT_EQ(inputs[0]->text(), QStringLiteral("doi"));
    EXPECT_EQ(types.state(), DatasetState::Edit);
}

TEST_F(BoundInputs, CtrlEnterAndDoubleClickRunThePicker)
{
    int picks = 0;
    // As an entry window does: the chosen code goes in and the focus moves on.
    inputs[0]->setPicker([&] {
        ++picks;
        types.edit();
        types.setValue(QStringLiteral("Cod_venit"), 77);
        inputs[1]->setFocus();
    });
    QTest::keyClick(inputs[0], Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(inputs[0]->text(), QStringLiteral("77"));
    EXPECT_EQ(focused(), inputs[1]);
    QTest::mouseDClick(inputs[0], Qt::LeftButton);
    EXPECT_EQ(picks, 2);

    // Without a picker both keep their ordinary meaning.
    inputs[2]->setFocus();
    QTest::keyClick(inputs[2], Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(focused(), inputs[2]);
    EXPECT_EQ(inputs[2]->text(), types.asString(QStringLiteral("Explicatie_venit")));
    QTest::mouseDClick(inputs[1], Qt::LeftButton, {}, QPoint(5, inputs[1]->height() / 2));
    EXPECT_TRUE(inputs[1]->hasSelectedText()); // a word selected
    EXPECT_EQ(picks, 2);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(BoundInputs, ComboStoresTheChosenOrTypedText)
{
    auto* combo = new TDBComboNormal(&window);
    combo->addItems({QStringLiteral("Casa"), QStringLiteral("Banca")});
    Dataset incomes(QStringLiteral("Venituri"));
    incomes.open();
    combo->bind(&incomes, QStringLiteral("Cont"));
    window.layout()->addWidget(combo);
    combo->show();
    incomes.append();
    combo->setFocus();
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("Banca"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return, Qt::ControlModifier); // any modifier moves on
    EXPECT_NE(focused(), combo);
    ASSERT_TRUE(incomes.post());
    EXPECT_EQ(incomes.asString(QStringLiteral("Cont")), QStringLiteral("Banca"));
}

TEST_F(BoundInputs, LookupStoresTheKeyOfTheChosenRow)
{
    auto* lookup = new TDBLookupComboBoxNormal(&window);
    Dataset incomes(QStringLiteral("Venituri"));
    incomes.open();
    lookup->bind(&incomes, QStringLiteral("Cod_venit"));
    lookup->setListSource(&types, QStringLiteral("Cod_venit"), QStringLiteral("Denumire"));
    EXPECT_EQ(lookup->count(), 18);
    incomes.append();
    lookup->setFocus();
    lookup->setCurrentIndex(3);
    Q_EMIT lookup->activated(3);
    EXPECT_EQ(incomes.asInteger(QStringLiteral("Cod_venit")), 5);
    EXPECT_EQ(lookup->currentText(), QStringLiteral("Lumanari"));
}

// ---- the bound date input ------------------------------------------------

namespace
{

class DateInput : public BoundInputs
{
protected:
    void SetUp() override
    {
        BoundInputs::SetUp();
        incomes.open();
        incomes.append();
        incomes.setValue(QStringLiteral("Data"), QDate(2024, 3, 15));
        ASSERT_TRUE(incomes.post());
        date = new TDBDateEdit(&window);
        date->bind(&incomes, QStringLiteral("Data"));
        window.layout()->addWidget(date);
        date->show();
        date->setFocus();
    }
    Dataset incomes{QStringLiteral("Venituri")};
    TDBDateEdit* date = nullptr;
};

} // namespace

TEST_F(DateInput, OnlyADateFieldCanBeBound)
{
    TDBDateEdit other(&window);
    other.bind(&incomes, QStringLiteral("Explicatie"));
    EXPECT_EQ(other.dataset(), nullptr);
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")), QStringList{"\"Explicatie\" is not a date field!"});
}

TEST_F(DateInput, ReadOnlyUntilTypingStartsTheEdit)
{
    EXPECT_EQ(date->text(), QStringLiteral("15.03.2024"));
    EXPECT_TRUE(date->isReadOnly());
    QTest::keyClick(date, Qt::Key_A);
    EXPECT_EQ(dialogs.beeps, 1);
    EXPECT_EQ(incomes.state(), DatasetState::Browse);

    date->setCursorPosition(0);
    QTest::keyClicks(date, QStringLiteral("20"));
    EXPECT_EQ(incomes.state(), DatasetState::Edit);
    EXPECT_FALSE(date->isReadOnly());
    EXPECT_EQ(date->text(), QStringLiteral("20.03.2024"));
    QTest::keyClick(date, Qt::Key_Escape); // the field's value comes back
    EXPECT_EQ(date->text(), QStringLiteral("15.03.2024"));

    date->setCursorPosition(0);
    QTest::keyClicks(date, QStringLiteral("20"));
    QTest::keyClick(date, Qt::Key_Return);
    EXPECT_EQ(incomes.asDate(QStringLiteral("Data")), QDate(2024, 3, 20));
}

TEST_F(DateInput, CalendarSetsTheTextAndTheFieldTakesItOnLeaving)
{
    dialogs.dateAnswers << QDate(2024, 4, 2);
    QTest::keyClick(date, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(dialogs.texts(QStringLiteral("date")), QStringList{"2024-03-15"}); // preset to the field's date
    EXPECT_EQ(incomes.state(), DatasetState::Edit);
    EXPECT_EQ(date->text(), QStringLiteral("02.04.2024"));
    QTest::keyClick(date, Qt::Key_Down); // leaves the input
    EXPECT_EQ(incomes.asDate(QStringLiteral("Data")), QDate(2024, 4, 2));

    // An empty field opens the calendar on today; cancelling changes nothing.
    incomes.setValue(QStringLiteral("Data"), QVariant());
    date->setFocus();
    QTest::keyClick(date, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(dialogs.texts(QStringLiteral("date")).last(), QDate::currentDate().toString(Qt::ISODate));
}

TEST_F(DateInput, AnInvalidDateIsRefusedAndKeepsTheFocus)
{
    date->setCursorPosition(0);
    QTest::keyClicks(date, QStringLiteral("31022024"));
    QTest::keyClick(date, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList{"\"31.02.2024\" nu este o data calendaristica (campul Data)"});
    EXPECT_EQ(focused(), date);
    EXPECT_EQ(date->selectedText(), QStringLiteral("31.02.2024"));
    EXPECT_EQ(incomes.asDate(QStringLiteral("Data")), QDate(2024, 3, 15));
}

// Typing into an input over an empty table starts the first record with
// everything that was typed, a number as well as a text.
TEST_F(BoundInputs, TypingIntoAnEmptyTableKeepsTheTyping)
{
    const struct {
        int input;
        const char* typed;
    } cases[] = {{0, "27"}, {1, "Chirii"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        execOrFail(QStringLiteral("DELETE FROM Tip_venituri"));
        types.refresh();
        ASSERT_TRUE(types.isEmpty());
        inputs[c.input]->setFocus();
        QTest::keyClicks(inputs[c.input], QString::fromLatin1(c.typed));
        EXPECT_EQ(types.state(), DatasetState::Insert);
        EXPECT_EQ(inputs[c.input]->text(), QString::fromLatin1(c.typed));
        types.cancel();
    }
    inputs[0]->setFocus();
    QTest::keyClicks(inputs[0], QStringLiteral("27"));
    inputs[1]->setFocus();
    QTest::keyClicks(inputs[1], QStringLiteral("Chirii"));
    ASSERT_TRUE(types.post());
    EXPECT_EQ(Sql::scalar(Connection::database(),
                          QStringLiteral("SELECT Cod_venit || ' ' || Denumire FROM Tip_venituri"))
                  .toString(),
              QStringLiteral("27 Chirii"));
}
