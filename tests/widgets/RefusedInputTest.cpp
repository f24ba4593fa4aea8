#include "core/UserDialogs.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/DbError.h"
#include "db/Sql.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"
#include "widgets/TDBComboNormal.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/dbdate.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace
{

// An income entry window: a text, a number, a date and a drop-down input,
// an input to move to and a button that stores the record.
class RefusedInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.openWorkingYear();
        refuse(QStringLiteral("Explicatie"), [](const QVariant& v) { return v.toString() == "interzis"; });
        refuse(QStringLiteral("Valoarea"), [](const QVariant& v) { return v.toDouble() < 0; });
        refuse(QStringLiteral("Data"), [](const QVariant& v) { return v.toDate().year() < 2000; });
        incomes.open();
        incomes.append();
        incomes.setValue(QStringLiteral("Explicatie"), QStringLiteral("colecta"));
        incomes.setValue(QStringLiteral("Valoarea"), 10);
        incomes.setValue(QStringLiteral("Data"), QDate(2024, 3, 15));
        incomes.setValue(QStringLiteral("Cont"), QStringLiteral("Casa"));
        ASSERT_TRUE(incomes.post());

        auto* layout = new QVBoxLayout(&window);
        text = add<TDBEditNormal>(layout, QStringLiteral("Explicatie"));
        number = add<TDBEditNormal>(layout, QStringLiteral("Valoarea"));
        date = add<TDBDateEdit>(layout, QStringLiteral("Data"));
        account = add<TDBComboNormal>(layout, QStringLiteral("Cont"));
        next = add<TDBEditNormal>(layout, QStringLiteral("Den_venit"));
        store = new QPushButton(QStringLiteral("Salveaza"), &window);
        layout->addWidget(store);
        QObject::connect(store, &QPushButton::clicked, [this] {
            try {
                stored = incomes.post();
            } catch (const DbError& e) {
                ::dialogs().error(e.text());
            }
        });
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    void refuse(const QString& field, std::function<bool(const QVariant&)> refused)
    {
        incomes.setValidator(field, [field, refused](Dataset&, const QVariant& value) {
            if (refused(value)) {
                ::dialogs().warning(QStringLiteral("Valoare refuzata pentru ") + field);
                throw SilentAbort();
            }
        });
    }

    template <class Control> Control* add(QVBoxLayout* layout, const QString& field)
    {
        auto* control = new Control(&window);
        control->bind(&incomes, field);
        layout->addWidget(control);
        return control;
    }

    // Types into the control as the user does: the whole text replaced.
    void type(QWidget* control, const QString& typed)
    {
        control->setFocus();
        if (auto* dateInput = qobject_cast<TDBDateEdit*>(control)) {
            dateInput->setCursorPosition(0);
            QTest::keyClicks(dateInput, typed);
            return;
        }
        QLineEdit* line = control == account ? account->lineEdit() : static_cast<QLineEdit*>(control);
        line->selectAll();
        QTest::keyClicks(line, typed);
    }

    static QString shownText(QWidget* control)
    {
        if (auto* combo = qobject_cast<QComboBox*>(control))
            return combo->currentText();
        return static_cast<QLineEdit*>(control)->text();
    }

    TestFolder folder;
    ScriptedDialogs dialogs;
    Dataset incomes{QStringLiteral("Venituri")};
    QWidget window;
    TDBEditNormal* text = nullptr;
    TDBEditNormal* number = nullptr;
    TDBDateEdit* date = nullptr;
    TDBComboNormal* account = nullptr;
    TDBEditNormal* next = nullptr;
    QPushButton* store = nullptr;
    bool stored = true;
};

} // namespace

TEST_F(RefusedInput, KeepsTheFocusAndTheTypedTextAndSaysItOnce)
{
    enum class Leave { Tab, ClickOnInput, ClickOnStore };
    const struct {
        QWidget* control;
        const char* typed;
        const char* shownAs;
        const char* field;
        const char* message;
    } controls[] = {
        {text, "interzis", "interzis", "Explicatie", "Valoare refuzata pentru Explicatie"},
        {number, "-5", "-5", "Valoarea", "Valoare refuzata pentru Valoarea"},
        {date, "01011999", "01.01.1999", "Data", "Valoare refuzata pentru Data"},
        // The store's refusal: the account holds 15 characters at most.
        {account, "Banca Transilvania", "Banca Transilvania", "Cont",
         "Campul Cont primeste cel mult 15 caractere; textul dat are 18"},
    };
    for (const auto& c : controls)
        for (const Leave leave : {Leave::Tab, Leave::ClickOnInput, Leave::ClickOnStore}) {
            QWidget* control = c.control;
            const std::string where = std::string(c.field) + " left by " + std::to_string(int(leave));
            const QVariant before = incomes.value(QString::fromLatin1(c.field));
            dialogs.shown.clear();
            stored = true;
            type(control, QString::fromLatin1(c.typed));
            switch (leave) {
            case Leave::Tab:
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                break;
            case Leave::ClickOnInput:
                QTest::mouseClick(next, Qt::LeftButton);
                break;
            case Leave::ClickOnStore:
                QTest::mouseClick(store, Qt::LeftButton);
                EXPECT_FALSE(stored) << where;
                break;
            }
            QApplication::processEvents();
            ASSERT_EQ(dialogs.shown.size(), 1) << where;
            EXPECT_EQ(dialogs.shown.first().text, QString::fromLatin1(c.message)) << where;
            EXPECT_EQ(QApplication::focusWidget() == control ||
                          QApplication::focusWidget()->parentWidget() == control,
                      true)
                << where;
            EXPECT_EQ(shownText(control), QString::fromLatin1(c.shownAs)) << where;
            EXPECT_EQ(incomes.value(QString::fromLatin1(c.field)), before) << where;
            incomes.cancel(); // Ctrl+U: the next case starts from the stored record
            EXPECT_EQ(
                Sql::scalar(Connection::database(),
                            QStringLiteral("SELECT %1 FROM Venituri").arg(QString::fromLatin1(c.field))),
                before.typeId() == QMetaType::QDate ? QVariant(before.toDate().toString(Qt::ISODate))
                                                    : before)
                << where;
        }
}

// A text longer than its field is never cut short, typed or pasted: it
// stays whole in the input, with the field's limit said once.
TEST_F(RefusedInput, AnOverlongTextIsKeptWholeAndRefused)
{
    const QString overlong = QString(100, QLatin1Char('a')) + QStringLiteral("Z");
    for (const bool pasted : {false, true}) {
        const char* where = pasted ? "pasted" : "typed";
        dialogs.shown.clear();
        text->setFocus();
        text->selectAll();
        if (pasted) {
            QGuiApplication::clipboard()->setText(overlong);
            QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(text, overlong);
        }
        EXPECT_EQ(text->text(), overlong) << where;
        QTest::keyClick(text, Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
                  QStringList{QStringLiteral(
                      "Campul Explicatie primeste cel mult 100 caractere; textul dat are 101")})
            << where;
        EXPECT_EQ(QApplication::focusWidget(), text) << where;
        EXPECT_EQ(text->text(), overlong) << where;
        EXPECT_EQ(incomes.asString(QStringLiteral("Explicatie")), QStringLiteral("colecta")) << where;
        incomes.cancel();
    }
}

// A control moved to another record source writes into that one only.
TEST_F(RefusedInput, AReboundControlWritesOnlyIntoItsNewSource)
{
    Dataset other(QStringLiteral("Venituri"));
    int written = 0;
    for (const char* field : {"Explicatie", "Data", "Cont"})
        other.setValidator(QString::fromLatin1(field), [&](Dataset&, const QVariant&) { ++written; });
    other.open();
    const struct {
        QWidget* control;
        const char* field;
        const char* typed;
    } controls[] = {
        {text, "Explicatie", "lumanari"},
        {date, "Data", "02022024"},
        {account, "Cont", "Banca"},
    };
    for (const auto& c : controls) {
        const QString field = QString::fromLatin1(c.field);
        const auto rebind = [&](Dataset* source) {
            if (auto* edit = qobject_cast<BoundLineEdit*>(c.control))
                edit->bind(source, field);
            else
                account->bind(source, field);
        };
        rebind(&incomes); // bound twice to the same source
        rebind(&other);
        written = 0;
        ASSERT_TRUE(incomes.edit());
        type(c.control, QString::fromLatin1(c.typed));
        ASSERT_TRUE(incomes.post()) << c.field;
        EXPECT_EQ(written, 0) << c.field << ": the old source's post wrote into the new one";
        EXPECT_EQ(incomes.state(), DatasetState::Browse);
        ASSERT_TRUE(other.post()) << c.field;
        EXPECT_EQ(written, 1) << c.field;
        EXPECT_EQ(shownText(c.control), other.displayText(field)) << c.field;
        rebind(&incomes);
    }
}

// What is typed into a bound number input is read by the one reader of typed
// numbers, and a refused number is said in the field's words.
TEST_F(RefusedInput, TypedNumbersAreReadAlike)
{
    auto* code = add<TDBEditNormal>(static_cast<QVBoxLayout*>(window.layout()), QStringLiteral("Cod_venit"));
    const struct {
        TDBEditNormal* input;
        const char* typed;
        double taken; // for a refused text: the value kept
        const char* message;
    } cases[] = {
        {number, "1.25", 1.25, nullptr},
        {number, "12,50", 12.5, nullptr},
        {number, " 7 ", 7, nullptr},
        {number, "1.250", 7,
         "\"1.250\" se poate citi si ca 1250, si ca 1,250 (campul Valoarea): scrieti miile fara punct si "
         "zecimalele dupa virgula"},
        {number, "1.2.3", 7, "\"1.2.3\" nu este un numar (campul Valoarea)"},
        {number, "1.250,5", 7, "\"1.250,5\" nu este un numar (campul Valoarea)"},
        {code, "-32768", -32768, nullptr},
        {code, "32767", 32767, nullptr},
        {code, "40000", 32767,
         "Campul Cod_venit primeste numere intregi intre -32768 si 32767; 40000 este in afara acestor "
         "limite"},
        {code, "12,5", 32767, "\"12,5\" nu este un numar intreg (campul Cod_venit)"},
    };
    for (const auto& c : cases) {
        const QString field = c.input == number ? QStringLiteral("Valoarea") : QStringLiteral("Cod_venit");
        dialogs.shown.clear();
        type(c.input, QString::fromLatin1(c.typed));
        QTest::keyClick(c.input, Qt::Key_Return);
        QApplication::processEvents();
        if (c.message) {
            EXPECT_EQ(dialogs.texts(QStringLiteral("error")), QStringList{QString::fromLatin1(c.message)});
            EXPECT_EQ(QApplication::focusWidget(), c.input) << c.typed;
            EXPECT_EQ(c.input->text(), QString::fromLatin1(c.typed));
            incomes.cancel();
        } else {
            EXPECT_TRUE(dialogs.shown.isEmpty()) << c.typed;
            ASSERT_TRUE(incomes.post());
        }
        EXPECT_DOUBLE_EQ(
            Sql::scalar(Connection::database(), QStringLiteral("SELECT %1 FROM Venituri").arg(field))
                .toDouble(),
            c.taken)
            << c.typed;
    }
}
