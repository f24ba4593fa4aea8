#include "IncomeEntry.h"

#include "core/StatusLine.h"
#include "db/Connection.h"
#include "db/Sql.h"
#include "operations/TVenituriFrm.h"
#include "widgets/TDBEditNormal.h"
#include "widgets/dbdate.h"
#include "year/DataFolderCopy.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

IncomeEntry::IncomeEntry()
{
    setStatusTarget(&m_status);
}

IncomeEntry::~IncomeEntry()
{
    closeWindows();
    setStatusTarget(nullptr);
}

TVenituriFrm* IncomeEntry::open()
{
    m_window = showDocumentWindow<TVenituriFrm>(&m_owner);
    QApplication::setActiveWindow(m_window);
    [[maybe_unused]] const bool active = QTest::qWaitForWindowActive(m_window);
    return m_window;
}

void IncomeEntry::typeOver(QWidget* input, const QString& text)
{
    input->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(input))
        line->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

void IncomeEntry::typeDonation(const QString& number, const QString& amount, const QString& explanation,
                               const QString& dateDigits)
{
    typeOver(m_window->numberInput(), number);
    if (!dateDigits.isEmpty()) {
        m_window->dateInput()->setFocus();
        m_window->dateInput()->setCursorPosition(0);
        QTest::keyClicks(m_window->dateInput(), dateDigits);
    }
    typeOver(m_window->codeInput(), QStringLiteral("7"));
    typeOver(m_window->amountInput(), amount);
    typeOver(m_window->explanationInput(), explanation);
}

QStringList IncomeEntry::save()
{
    dialogs.shown.clear();
    QTest::mouseClick(m_window->saveButton(), Qt::LeftButton);
    QCoreApplication::processEvents();
    QStringList errors = dialogs.texts(QStringLiteral("error"));
    errors << dialogs.texts(QStringLiteral("warning"));
    return errors;
}

QStringList IncomeEntry::shown() const
{
    return {m_window->numberInput()->text(), m_window->amountInput()->text(),
            m_window->explanationInput()->text()};
}

void IncomeEntry::closeWindows()
{
    for (QWidget* window : m_owner.findChildren<DocumentWindow*>())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_window = nullptr;
}

QStringList storedIncomes()
{
    QStringList rows;
    QSqlQuery query =
        Sql::exec(Connection::database(), QStringLiteral("SELECT * FROM Venituri ORDER BY rowid"));
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << query.value(i).toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

bool databaseIsSound(const QString& databaseFile)
{
    return DataFolderCopy::passesIntegrityCheck(databaseFile);
}
