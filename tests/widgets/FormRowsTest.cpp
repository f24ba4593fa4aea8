#include "widgets/FormRows.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

TEST(FormRows, AControlIsNamedByItsCaptionAsAPersonWouldSayIt)
{
    const struct {
        const char* caption;
        const char* name;
    } cases[] = {
        {"Numar :", "Numar"},
        {"Or&dine de afisare:", "Ordine de afisare"},
        {"&Cauta:", "Cauta"},
        {"Ordonare dupa :", "Ordonare dupa"},
        {"&Enoriasi", "Enoriasi"},
        {"Casa && banca :", "Casa & banca"},
        {"  SOLD CURENT CASA:  ", "SOLD CURENT CASA"},
        {"Valoarea contributiei anuale  a credinciosilor", "Valoarea contributiei anuale  a credinciosilor"},
        {"Raport: lunar", "Raport: lunar"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(accessibleNameFor(QString::fromUtf8(c.caption)), QString::fromUtf8(c.name)) << c.caption;
}

TEST(FormRows, TheCaptionLeadsToItsControlAndNamesIt)
{
    QWidget window;
    auto* form = new QFormLayout(&window);
    auto* input = new QLineEdit(&window);
    addLabeledRow(form, QStringLiteral("&Data :"), input);
    auto* caption = qobject_cast<QLabel*>(form->labelForField(input));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), QStringLiteral("&Data :"));
    EXPECT_EQ(caption->buddy(), input);
    EXPECT_EQ(input->accessibleName(), QStringLiteral("Data"));
}
