#include "CatalogTestSupport.h"

#include "catalogues/CatalogSelect.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

namespace
{

// A small document window: an income with its parishioner and income type
// fields, each picked from its catalogue with Ctrl+Enter.
class IncomeForm : public QWidget
{
public:
    IncomeForm()
    {
        incomes.open();
        incomes.append();
        parishioner = new TDBEditNormal(this);
        parishioner->bind(&incomes, QStringLiteral("Cod_enorias"));
        parishioner->setPicker([this] {
            QString code = parishioner->text();
            if (SelectEnorias(this, code))
                incomes.setValue(QStringLiteral("Cod_enorias"), code);
        });
        incomeType = new TDBEditNormal(this);
        incomeType->bind(&incomes, QStringLiteral("Cod_venit"));
        incomeType->setPicker([this] {
            int code = incomeType->text().toInt();
            if (SelectTipVenit(this, code))
                incomes.setValue(QStringLiteral("Cod_venit"), code);
        });
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(parishioner);
        layout->addWidget(incomeType);
    }

    Dataset incomes{QStringLiteral("Venituri")};
    TDBEditNormal* parishioner;
    TDBEditNormal* incomeType;
};

struct PickerState {
    QString title;
    QString hint;
    QString order;
    QString currentKey;
    bool okEnabled = false;
    bool editToggleVisible = false;
    bool editing = false;
    bool gridTakesTyping = false;
    bool modal = false;
    QWidget* owner = nullptr;
};

PickerState stateOf(TCatalogFrm* picker)
{
    PickerState s;
    s.title = picker->windowTitle();
    s.hint = picker->grid()->toolTip();
    s.order = picker->orderList()->currentText();
    s.currentKey = picker->currentKey().toString();
    s.okEnabled = picker->okButton()->isEnabled();
    s.editToggleVisible = picker->editButton()->isVisible();
    s.editing = picker->isEditing();
    s.gridTakesTyping = picker->grid()->editingAllowed();
    s.modal = picker->isModal();
    s.owner = picker->parentWidget();
    return s;
}

} // namespace

class PickerTest : public CatalogTest
{
protected:
    void SetUp() override
    {
        CatalogTest::SetUp();
        addParishioners({{QStringLiteral("7"), QStringLiteral("Stoica Ana")},
                         {QStringLiteral("12"), QStringLiteral("Zamfir Elena")},
                         {QStringLiteral("3"), QStringLiteral("Avram Ion")}});
    }
};

// Where a picker opens: on the given code when the catalogue has it,
// otherwise on the lowest code; the parishioners then shown by name.
TEST_F(PickerTest, StartsOnTheGivenCodeOrOnTheLowest)
{
    const QString parishionersHint = QStringLiteral("Selectati clientul si apasati butonul OK sau Enter");
    const QString incomeHint = QStringLiteral("Selectati tipul de venit si apasati butonul OK sau Enter");
    const struct {
        const char* name;
        QString kind; // "enorias", "venit", "cheltuiala"
        QString code;
        bool emptyCatalogue;
        QString title;
        QString hint;
        QString order;
        QString currentKey;
        bool okEnabled;
        bool editToggleVisible;
        bool editing;
        bool gridTakesTyping;
    } cases[] = {
        {"existing parishioner", "enorias", "7", false, "Selectie de enoriasi", parishionersHint,
         "dupa Denumire", "7", true, true, false, false},
        {"missing parishioner", "enorias", "99", false, "Selectie de enoriasi", parishionersHint,
         "dupa Denumire", "12", true, true, false, false},
        {"empty parishioner code", "enorias", "", false, "Selectie de enoriasi", parishionersHint,
         "dupa Denumire", "12", true, true, false, false},
        {"empty parishioners catalogue", "enorias", "7", true, "Selectie de enoriasi", parishionersHint,
         "dupa Denumire", "", false, true, true, true},
        {"existing income type", "venit", "12", false, "Selectie tip venit", incomeHint, "dupa Cod", "12",
         true, false, false, false},
        {"income type 0", "venit", "0", false, "Selectie tip venit", incomeHint, "dupa Cod", "2", true, false,
         false, false},
        {"missing income type", "venit", "99", false, "Selectie tip venit", incomeHint, "dupa Cod", "2", true,
         false, false, false},
        {"empty income types catalogue", "venit", "0", true, "Selectie tip venit", incomeHint, "dupa Cod", "",
         false, false, true, false},
        {"existing expense type", "cheltuiala", "30", false, "Selectie tip cheltuiala", parishionersHint,
         "dupa Cod", "30", true, false, false, false},
        {"expense type 0", "cheltuiala", "0", false, "Selectie tip cheltuiala", parishionersHint, "dupa Cod",
         "23", true, false, false, false},
        {"empty expense types catalogue", "cheltuiala", "0", true, "Selectie tip cheltuiala",
         parishionersHint, "dupa Cod", "", false, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString table = c.kind == QLatin1String("enorias") ? QStringLiteral("Enoriasi")
                              : c.kind == QLatin1String("venit") ? QStringLiteral("Tip_venituri")
                                                                 : QStringLiteral("Tip_cheltuieli");
        Sql::exec(Connection::database(), QStringLiteral("BEGIN"));
        if (c.emptyCatalogue)
            Sql::exec(Connection::database(), QStringLiteral("DELETE FROM %1").arg(table));
        PickerState seen;
        bool chosen = true;
        QString parishioner = c.code;
        int type = c.code.toInt();
        whilePickerShown([&](TCatalogFrm* picker) { seen = stateOf(picker); },
                         [&] {
                             if (c.kind == QLatin1String("enorias"))
                                 chosen = SelectEnorias(&mainWindow, parishioner);
                             else if (c.kind == QLatin1String("venit"))
                                 chosen = SelectTipVenit(&mainWindow, type);
                             else
                                 chosen = SelectTipCheltuiala(&mainWindow, type);
                         });
        Sql::exec(Connection::database(), QStringLiteral("ROLLBACK"));
        EXPECT_EQ(seen.title, c.title);
        EXPECT_EQ(seen.hint, c.hint);
        EXPECT_EQ(seen.order, c.order);
        EXPECT_EQ(seen.currentKey, c.currentKey);
        EXPECT_EQ(seen.okEnabled, c.okEnabled);
        EXPECT_EQ(seen.editToggleVisible, c.editToggleVisible);
        EXPECT_EQ(seen.editing, c.editing);
        EXPECT_EQ(seen.gridTakesTyping, c.gridTakesTyping);
        EXPECT_TRUE(seen.modal);
        EXPECT_EQ(seen.owner, &mainWindow);
        EXPECT_FALSE(chosen) << "given up";
        EXPECT_EQ(parishioner, c.code) << "a picker given up leaves the code as it was";
        EXPECT_EQ(type, c.code.toInt());
    }
}

// The three ways of choosing (Enter on the default button, a click on OK, a
// double-click on a row) and the three ways of giving up.
TEST_F(PickerTest, ChoosesWithOkEnterOrDoubleClickAndGivesUpWithRenuntaOrEscape)
{
    const struct {
        const char* name;
        std::function<void(TCatalogFrm*)> answer;
        bool chosen;
    } cases[] = {
        {"Enter", [](TCatalogFrm*) { press(Qt::Key_Return); }, true},
        {"Enter in the grid",
         [](TCatalogFrm* p) {
             p->grid()->setFocus();
             press(Qt::Key_Return);
         },
         true},
        {"OK", [](TCatalogFrm* p) { QTest::mouseClick(p->okButton(), Qt::LeftButton); }, true},
        {"double-click",
         [](TCatalogFrm* p) {
             TDBGridNormal* grid = p->grid();
             const QPoint centre = grid->visualRect(grid->model()->index(2, 1)).center();
             QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
             QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
         },
         true},
        {"Renunta", [](TCatalogFrm* p) { QTest::mouseClick(p->cancelButton(), Qt::LeftButton); }, false},
        {"Escape", [](TCatalogFrm*) { press(Qt::Key_Escape); }, false},
        {"Escape in the grid",
         [](TCatalogFrm* p) {
             p->grid()->setFocus();
             press(Qt::Key_Escape);
         },
         false},
        {"close box", [](TCatalogFrm* p) { p->close(); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString code = QStringLiteral("3");
        bool chosen = false;
        whilePickerShown(
            [&](TCatalogFrm* picker) {
                picker->searchEdit()->setFocus();
                type(QStringLiteral("z")); // by name: Zamfir Elena, the last row
                c.answer(picker);
            },
            [&] { chosen = SelectEnorias(&mainWindow, code); });
        EXPECT_EQ(chosen, c.chosen);
        EXPECT_EQ(code, c.chosen ? QStringLiteral("12") : QStringLiteral("3"));
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// Ctrl+Enter in a document's code field opens the picker on the field's code;
// the choice comes back into the field.
TEST_F(PickerTest, CtrlEnterInACodeFieldPicksFromTheCatalogue)
{
    IncomeForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    form.parishioner->setFocus();
    type(QStringLiteral("7"));
    PickerState seen;
    QPoint pickerCentre;
    whilePickerShown(
        [&](TCatalogFrm* picker) {
            seen = stateOf(picker);
            pickerCentre = picker->frameGeometry().center();
            picker->grid()->setFocus();
            press(Qt::Key_Down);
            press(Qt::Key_Return);
        },
        [&] { press(Qt::Key_Return, Qt::ControlModifier); });
    EXPECT_EQ(seen.currentKey, QStringLiteral("7"));
    EXPECT_EQ(seen.owner, &form);
    const QPoint screenCentre = form.screen()->availableGeometry().center();
    EXPECT_LE((pickerCentre - screenCentre).manhattanLength(), 4) << "centred on the screen";
    EXPECT_EQ(form.parishioner->text(), QStringLiteral("12")) << "the row after Stoica Ana: Zamfir Elena";
    EXPECT_EQ(form.incomes.asString(QStringLiteral("Cod_enorias")), QStringLiteral("12"));

    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    form.incomeType->setFocus();
    type(QStringLiteral("5"));
    whilePickerShown(
        [&](TCatalogFrm* picker) {
            seen = stateOf(picker);
            picker->grid()->setFocus();
            press(Qt::Key_Down);
            press(Qt::Key_Return);
        },
        [&] { press(Qt::Key_Return, Qt::ControlModifier); });
    EXPECT_EQ(seen.currentKey, QStringLiteral("5"));
    EXPECT_EQ(form.incomeType->text(), QStringLiteral("6"));
    EXPECT_EQ(form.incomes.asInteger(QStringLiteral("Cod_venit")), 6);
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// An empty parishioners list opens the picker ready to type: the first
// parishioner is typed, the toggle released (which stores it) and chosen.
TEST_F(PickerTest, AFirstParishionerIsTypedInsideThePickerAndChosen)
{
    Sql::exec(Connection::database(), QStringLiteral("DELETE FROM Enoriasi"));
    QString code;
    bool chosen = false;
    bool okWhileEditing = true;
    whilePickerShown(
        [&](TCatalogFrm* picker) {
            picker->grid()->setFocus();
            typeCells({QStringLiteral("P1"), QStringLiteral("Pop Ana")});
            okWhileEditing = picker->okButton()->isEnabled();
            QTest::mouseClick(picker->editButton(), Qt::LeftButton);
            EXPECT_FALSE(picker->isEditing());
            EXPECT_FALSE(picker->editButton()->isChecked());
            EXPECT_FALSE(picker->grid()->editingAllowed());
            QTest::mouseClick(picker->okButton(), Qt::LeftButton);
        },
        [&] { chosen = SelectEnorias(&mainWindow, code); });
    EXPECT_FALSE(okWhileEditing);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(code, QStringLiteral("P1"));
    EXPECT_EQ(Sql::scalar(Connection::database(),
                          QStringLiteral("SELECT Tip_contributie FROM Enoriasi WHERE Cod_enorias = 'P1'"))
                  .toString(),
              QStringLiteral("Intreaga"));
}

// Releasing the toggle stores the row; a row the check refuses keeps the
// toggle pressed, the row in edit and OK disabled.
TEST_F(PickerTest, ReleasingTheToggleOnAnIncompleteRowKeepsEditingOn)
{
    whilePickerShown(
        [&](TCatalogFrm* picker) {
            QTest::mouseClick(picker->editButton(), Qt::LeftButton);
            ASSERT_TRUE(picker->isEditing());
            press(Qt::Key_End, Qt::ControlModifier);
            press(Qt::Key_Down);
            typeCells({QStringLiteral("P9")});
            QTest::mouseClick(picker->editButton(), Qt::LeftButton);
            EXPECT_TRUE(picker->isEditing());
            EXPECT_TRUE(picker->editButton()->isChecked());
            EXPECT_FALSE(picker->okButton()->isEnabled());
            EXPECT_EQ(picker->catalog()->asString(QStringLiteral("Cod_enorias")), QStringLiteral("P9"));
            press(Qt::Key_Escape); // gives the picker up, with the row being typed
            EXPECT_FALSE(picker->isVisible());
        },
        [&] {
            QString code;
            SelectEnorias(&mainWindow, code);
        });
    EXPECT_EQ(
        dialogs.texts(QStringLiteral("warning")),
        QStringList{QStringLiteral("Informatie incompleta, introduceti atat codul, numele enoriasului cat si "
                                   "tipul contributiei!")});
    EXPECT_EQ(storedRows(QStringLiteral("Enoriasi")), 3);
}
