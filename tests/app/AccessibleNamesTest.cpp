#include "app/MainUnt.h"
#include "support/FakeDesktopShell.h"
#include "support/FakePrinter.h"
#include "support/ProgramWindows.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFolder.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <gtest/gtest.h>

namespace
{

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

bool hasLetter(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetter(); });
}

// What a screen reader would say wrongly in a window: a control reached with
// Tab without a name, a combo box named by the item it shows, a button whose
// name is only symbols. One line per fault, naming the window and the control.
QStringList namingFaults(QWidget* window)
{
    QStringList faults;
    const auto fault = [&](QWidget* w, const QString& what) {
        faults << QStringLiteral("%1 / %2 (%3): %4")
                      .arg(window->windowTitle(), w->objectName(), QString::fromLatin1(w->metaObject()->className()),
                           what);
    };
    if (window->windowTitle().isEmpty())
        faults << QStringLiteral("%1: fara titlu").arg(window->objectName());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        const QString name = accessibleName(w);
        const bool reachedWithTab = (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy();
        if (reachedWithTab && name.trimmed().isEmpty())
            fault(w, QStringLiteral("fara nume"));
        if (auto* box = qobject_cast<QComboBox*>(w)) {
            const QString shown = box->isEditable() ? box->lineEdit()->text() : box->currentText();
            if (!shown.isEmpty() && name == shown)
                fault(w, QStringLiteral("numit dupa valoarea aratata \"%1\"").arg(name));
        }
        if (qobject_cast<QAbstractButton*>(w) && !hasLetter(name))
            fault(w, QStringLiteral("butonul se numeste \"%1\"").arg(name));
        // A label that shows a value beside its caption: named by the caption, as the value, and read.
        const auto* caption = qobject_cast<QLabel*>(w);
        auto* value = caption ? qobject_cast<QLabel*>(caption->buddy()) : nullptr;
        if (value) {
            const QString captionText = caption->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed();
            const QString valueName = accessibleName(value);
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(value);
            if (!valueName.contains(captionText) || !valueName.contains(QStringLiteral("valoare")))
                fault(value, QStringLiteral("valoarea se numeste \"%1\"").arg(valueName));
            if (!(valueName + face->text(QAccessible::Description)).contains(value->text()))
                fault(value, QStringLiteral("valoarea \"%1\" nu se citeste").arg(value->text()));
        }
    }
    return faults;
}

} // namespace

// Every window the main window's commands open, modeless or modal, is walked
// as a screen reader would read it.
TEST(AccessibleNames, EveryWindowNamesItsControlsAsAPersonWould)
{
    TestFolder folder;
    ScriptedDialogs dialogs;
    FakePrinter printer;
    FakeDesktopShell desktop;
    auto mainWindow = std::make_unique<TMainFrm>();
    mainWindow->show();

    QStringList faults = namingFaults(mainWindow.get());
    QStringList walked;
    visitProgramWindows(*mainWindow, [&](QWidget* window) {
        walked << window->windowTitle();
        faults << namingFaults(window);
    });

    // The windows of the menus were all reached.
    for (const char* title : {"Configurarea modului de lucru cu programul", "Bilant", "Stocuri"})
        EXPECT_TRUE(walked.join(QLatin1Char('|')).contains(QString::fromLatin1(title))) << title;
    EXPECT_GE(walked.size(), 12) << walked.join(QStringLiteral(", ")).toStdString();
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}
