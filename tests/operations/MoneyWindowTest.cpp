#include "MoneyWindowTest.h"

#include "catalogues/CatalogWindow.h"
#include "core/StatusLine.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "printing/PrintSettings.h"
#include "support/ModalPicker.h"
#include "widgets/BoundLineEdit.h"
#include "widgets/TDBGridNormal.h"
#include "widgets/dbdate.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

void MoneyWindowTest::SetUp()
{
    folder.openWorkingYear();
    prepare();
}

void MoneyWindowTest::prepare()
{
    printSettings() = PrintSettings();
    execOrFail(QStringLiteral("UPDATE Contor SET PretOut = 2.5, PretInOut = 0.5"));
    addParishioner(QStringLiteral("P1"), QStringLiteral("Popescu Ion"));
    addParishioner(QStringLiteral("P2"), QStringLiteral("Ionescu Maria"));
    setStatusTarget(&status);
}

void MoneyWindowTest::TearDown()
{
    // The windows go before the database does.
    for (QWidget* window : owner.findChildren<DocumentWindow*>())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    setStatusTarget(nullptr);
    printSettings() = PrintSettings();
}

void MoneyWindowTest::activate(QWidget* window)
{
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

void MoneyWindowTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(focused(), key, modifiers);
    QCoreApplication::processEvents();
}

void MoneyWindowTest::type(const QString& text)
{
    QTest::keyClicks(focused(), text);
}

void MoneyWindowTest::typeOver(QWidget* input, const QString& text)
{
    input->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(input))
        line->selectAll();
    if (text.isEmpty())
        press(Qt::Key_Backspace);
    else
        type(text);
}

void MoneyWindowTest::typeDate(MoneyDocumentWindow* window, const QString& digits)
{
    window->dateInput()->setFocus();
    window->dateInput()->setCursorPosition(0);
    type(digits);
}

void MoneyWindowTest::click(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
}

void MoneyWindowTest::press(MoneyDocumentWindow* window, TDBNavigator::Button button)
{
    click(window->navigator()->button(button));
}

QStringList MoneyWindowTest::printedTexts() const
{
    QStringList texts;
    for (const FakePrinter::Job& job : printer.jobs)
        for (const Page& page : job.model.pages)
            texts << page.texts();
    return texts;
}

void MoneyWindowTest::pickWithCtrlEnter(BoundLineEdit* input, const QString& typed, int rowsDown)
{
    QWidget* window = input->window();
    typeOver(input, typed);
    whilePickerShown(
        [rowsDown](TCatalogFrm* picker) {
            picker->grid()->setFocus();
            for (int i = 0; i < rowsDown; ++i)
                press(Qt::Key_Down);
            press(Qt::Key_Return);
        },
        [] { press(Qt::Key_Return, Qt::ControlModifier); });
    activate(window);
}

QWidget* MoneyWindowTest::focused()
{
    return QApplication::focusWidget();
}

void MoneyWindowTest::addParishioner(const QString& code, const QString& name)
{
    Sql::exec(Connection::database(),
              QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                             "VALUES (:c, :n, 'Lunga', '1', 'Intreaga')"),
              {{QStringLiteral(":c"), code}, {QStringLiteral(":n"), name}});
}

QString MoneyWindowTest::wrongYearMessage(const QString& start, const QString& year)
{
    return start + year + QStringLiteral(" difera de anul de lucru ") + thisYear() +
           QStringLiteral(" ! Introduceti o data valida.");
}
