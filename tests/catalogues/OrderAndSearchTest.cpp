#include "CatalogTestSupport.h"

#include "db/Dataset.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace
{

// Names that only the Romanian alphabet, without regard to case, puts in this order.
const QStringList namesInOrder = {
    QStringLiteral("Ardeleanu Paul"), QStringLiteral("ălmăjanu Dan"), QStringLiteral("Ilie Ion"),
    QStringLiteral("Înceanu Petre"),  QStringLiteral("Stoica Ana"),   QStringLiteral("Şchiopu Vasile"),
    QStringLiteral("Șerban Ion"),     QStringLiteral("tudor Maria"),  QStringLiteral("Ţepeş Vlad"),
    QStringLiteral("Zamfir Elena"),
};

} // namespace

class CatalogOrderTest : public CatalogTest
{
protected:
    void SetUp() override
    {
        CatalogTest::SetUp();
        // Codes given so that their text order differs from their number order.
        addParishioners({{QStringLiteral("9"), namesInOrder[7]},
                         {QStringLiteral("10"), namesInOrder[2]},
                         {QStringLiteral("2"), namesInOrder[9]},
                         {QStringLiteral("31"), namesInOrder[0]},
                         {QStringLiteral("4"), namesInOrder[5]},
                         {QStringLiteral("5"), namesInOrder[8]},
                         {QStringLiteral("60"), namesInOrder[1]},
                         {QStringLiteral("7"), namesInOrder[4]},
                         {QStringLiteral("8"), namesInOrder[3]},
                         {QStringLiteral("11"), namesInOrder[6]}});
    }

    // Picks the order list's item with the keyboard.
    static void chooseOrder(TCatalogFrm* window, int item)
    {
        window->orderList()->setFocus();
        while (window->orderList()->currentIndex() < item)
            press(Qt::Key_Down);
        while (window->orderList()->currentIndex() > item)
            press(Qt::Key_Up);
    }
};

TEST_F(CatalogOrderTest, ParishionersAreListedByNameInTheRomanianAlphabet)
{
    TCatalogFrm* window = openCatalogueWindow(Catalogs::parishioners());
    EXPECT_EQ(window->orderList()->currentText(), QStringLiteral("dupa Denumire"));
    EXPECT_EQ(columnTexts(window, QStringLiteral("Nume_prenume")), namesInOrder);
    EXPECT_EQ(window->grid()->model()->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Nume si prenume"));
}

// Switching the order keeps the current row, and choosing the name order
// again works like the first time (its index is already there).
TEST_F(CatalogOrderTest, SwitchingOrdersKeepsTheCurrentRow)
{
    TCatalogFrm* window = openCatalogueWindow(Catalogs::parishioners());
    ASSERT_TRUE(window->catalog()->locate(QStringLiteral("Cod_enorias"), {QStringLiteral("7")}));
    const struct {
        int item;
        QStringList codes;
    } steps[] = {
        {0, {"10", "11", "2", "31", "4", "5", "60", "7", "8", "9"}}, // codes sort as text
        {1, {"31", "60", "10", "8", "7", "4", "11", "9", "5", "2"}},
        {0, {"10", "11", "2", "31", "4", "5", "60", "7", "8", "9"}},
        {1, {"31", "60", "10", "8", "7", "4", "11", "9", "5", "2"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.item);
        chooseOrder(window, step.item);
        EXPECT_EQ(columnTexts(window, QStringLiteral("Cod_enorias")), step.codes);
        EXPECT_EQ(currentText(window, QStringLiteral("Nume_prenume")), QStringLiteral("Stoica Ana"));
        EXPECT_EQ(window->grid()->currentIndex().row(), window->catalog()->currentRow());
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// Each text typed into "Cauta" moves to the first row at or after it in the
// order shown: a prefix of a name in any case, with or without its
// diacritics, a code as text for the parishioners, a number for the
// numbered catalogues.
TEST_F(CatalogOrderTest, SearchMovesToTheNearestRowOfTheOrder)
{
    const struct {
        const char* name;
        const CatalogDescriptor& catalogue;
        int order;
        QString typed;
        QString field;
        QString expected;
    } cases[] = {
        {"name prefix in lower case", Catalogs::parishioners(), 1, QStringLiteral("st"),
         QStringLiteral("Nume_prenume"), QStringLiteral("Stoica Ana")},
        {"name with a comma letter", Catalogs::parishioners(), 1, QStringLiteral("șc"),
         QStringLiteral("Nume_prenume"), QStringLiteral("Şchiopu Vasile")},
        {"name typed without its comma letter", Catalogs::parishioners(), 1, QStringLiteral("ser"),
         QStringLiteral("Nume_prenume"), QStringLiteral("Șerban Ion")},
        {"name typed without its cedilla letters", Catalogs::parishioners(), 1, QStringLiteral("TEPES"),
         QStringLiteral("Nume_prenume"), QStringLiteral("Ţepeş Vlad")},
        {"name typed without its breves", Catalogs::parishioners(), 1, QStringLiteral("almaj"),
         QStringLiteral("Nume_prenume"), QStringLiteral("ălmăjanu Dan")},
        {"name typed without its circumflex", Catalogs::parishioners(), 1, QStringLiteral("Ince"),
         QStringLiteral("Nume_prenume"), QStringLiteral("Înceanu Petre")},
        {"name between names", Catalogs::parishioners(), 1, QStringLiteral("j"),
         QStringLiteral("Nume_prenume"), QStringLiteral("Stoica Ana")},
        {"code as text", Catalogs::parishioners(), 0, QStringLiteral("3"), QStringLiteral("Cod_enorias"),
         QStringLiteral("31")},
        {"income code", Catalogs::incomeTypes(), 0, QStringLiteral("12"), QStringLiteral("Cod_venit"),
         QStringLiteral("12")},
        {"missing expense code: the next higher", Catalogs::expenseTypes(), 0, QStringLiteral("12"),
         QStringLiteral("Cod_cheltuiala"), QStringLiteral("23")},
        {"code above every code: the last", Catalogs::incomeTypes(), 0, QStringLiteral("40000"),
         QStringLiteral("Cod_venit"), QStringLiteral("19")},
        {"type name in lower case", Catalogs::incomeTypes(), 1, QStringLiteral("don"),
         QStringLiteral("Denumire"), QStringLiteral("Donatii")},
        {"balance row number", Catalogs::balanceSheetRows(), 0, QStringLiteral("21"),
         QStringLiteral("Denumire"), QStringLiteral("TOTAL DISPONIBIL")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TCatalogFrm* window = openCatalogueWindow(c.catalogue);
        chooseOrder(window, c.order);
        window->catalog()->first();
        window->searchEdit()->setFocus();
        type(c.typed);
        EXPECT_EQ(currentText(window, c.field), c.expected);
        EXPECT_EQ(window->grid()->currentIndex().row(), window->catalog()->currentRow());
        window->close();
        settle();
    }
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(CatalogOrderTest, ATextThatIsNoNumberIsRefusedInTheCodeOrder)
{
    TCatalogFrm* window = openCatalogueWindow(Catalogs::incomeTypes());
    window->catalog()->setRecNo(4);
    const QString before = currentText(window, QStringLiteral("Cod_venit"));
    window->searchEdit()->setFocus();
    type(QStringLiteral("x"));
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList{QStringLiteral("'x' nu este un numar valid!")});
    EXPECT_EQ(currentText(window, QStringLiteral("Cod_venit")), before);
    EXPECT_TRUE(window->isVisible());
}
