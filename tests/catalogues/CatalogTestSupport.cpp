#include "CatalogTestSupport.h"

#include "catalogues/CatalogueOpeners.h"
#include "db/Connection.h"
#include "db/Dataset.h"
#include "db/Sql.h"
#include "support/KeyTarget.h"
#include "support/ModalPicker.h"
#include "widgets/TDBGridNormal.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

void CatalogTest::SetUp()
{
    folder.openWorkingYear();
    mainWindow.setWindowTitle(QStringLiteral("Fereastra principala"));
    mainWindow.show();
}

void CatalogTest::TearDown()
{
    // The catalogue windows are freed before the database goes.
    for (QWidget* child : mainWindow.findChildren<TCatalogFrm*>())
        child->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void CatalogTest::addParishioners(const QList<QPair<QString, QString>>& rows)
{
    for (const auto& [code, name] : rows)
        Sql::exec(
            Connection::database(),
            QStringLiteral("INSERT INTO Enoriasi (Cod_enorias, Nume_prenume, Strada, Nr, Tip_contributie) "
                           "VALUES (:c, :n, 'Lunga', '1', 'Intreaga')"),
            {{QStringLiteral(":c"), code}, {QStringLiteral(":n"), name}});
}

TCatalogFrm* CatalogTest::openCatalogueWindow(const CatalogDescriptor& descriptor)
{
    TCatalogFrm* window = openCatalogue(descriptor, &mainWindow);
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    window->grid()->setFocus();
    return window;
}

void CatalogTest::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(keyTarget(), key, modifiers);
    settle();
}

void CatalogTest::type(const QString& text)
{
    // One key at a time, with the event loop running between them as it does for a user;
    // letters outside ASCII (ș, ț, ă) come as the text of their key.
    for (const QChar ch : text) {
        QWidget* target = keyTarget();
        if (ch.unicode() < 128) {
            QTest::keyClick(target, char(ch.unicode()));
        } else {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
        settle();
    }
}

void CatalogTest::typeCells(const QStringList& texts)
{
    for (const QString& text : texts) {
        if (auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
            editor->selectAll(); // typing replaces what the cell shows
        if (text.isEmpty())
            press(Qt::Key_Backspace);
        else
            type(text);
        press(Qt::Key_Return);
    }
}

void CatalogTest::settle()
{
    QCoreApplication::processEvents();
}

QStringList CatalogTest::columnTexts(const TCatalogFrm* window, const QString& field)
{
    QStringList texts;
    const Dataset* catalog = window->catalog();
    const int index = catalog->fieldIndex(field);
    for (int row = 0; row < catalog->recordCount(); ++row)
        texts << catalog->rowDisplayText(row, index);
    return texts;
}

QString CatalogTest::currentText(const TCatalogFrm* window, const QString& field)
{
    return window->catalog()->displayText(field);
}

void CatalogTest::whilePickerShown(const std::function<void(TCatalogFrm*)>& drive,
                                   const std::function<void()>& open)
{
    ::whilePickerShown(drive, open);
}
