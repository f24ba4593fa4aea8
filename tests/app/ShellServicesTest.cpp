#include "core/ErrorGuard.h"
#include "core/StatusLine.h"
#include "core/Workmsg.h"
#include "db/DbError.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

TEST(ShellServices, ShowStatusWritesOnlyOnceATargetIsSet)
{
    setStatusTarget(nullptr);
    ShowStatus(QStringLiteral(" Listez...")); // nothing to write to: nothing happens
    QLabel line;
    setStatusTarget(&line);
    ShowStatus(QStringLiteral(" Listez..."));
    EXPECT_EQ(line.text(), QStringLiteral(" Listez..."));
    setStatusTarget(nullptr);
}

TEST(ShellServices, WorkMessageWidensForLongTextsUpToTheScreen)
{
    QWidget owner;
    ShowWorkMessage(&owner, QStringLiteral("Se actualizeaza structura bazei de date..."));
    TMessageForm* window = workMessageWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->message(), QStringLiteral("Se actualizeaza structura bazei de date..."));
    EXPECT_GE(window->width(), window->baseWidth());

    // A second message leaves the window as it is.
    ShowWorkMessage(&owner, QStringLiteral("Alt mesaj"));
    EXPECT_EQ(workMessageWindow(), window);
    EXPECT_EQ(window->message(), QStringLiteral("Se actualizeaza structura bazei de date..."));

    window->setMessage(QString(2000, QLatin1Char('W')));
    EXPECT_EQ(window->width(), QGuiApplication::primaryScreen()->geometry().width());
    EXPECT_EQ(window->x(), QGuiApplication::primaryScreen()->geometry().left());
}

TEST(ShellServices, GuardShowsFailuresAndSwallowsSilentAborts)
{
    ScriptedDialogs dialogs;
    EXPECT_TRUE(runGuarded([] {}));
    EXPECT_FALSE(runGuarded([] { throw DbError(QStringLiteral("Tabela Venituri nu exista")); }));
    EXPECT_FALSE(runGuarded([] { throw std::runtime_error("disc plin"); }));
    EXPECT_FALSE(runGuarded([] { throw SilentAbort(); }));
    EXPECT_FALSE(runGuarded([] { throw 42; }));
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")),
              QStringList({"Tabela Venituri nu exista", "disc plin", "Eroare neasteptata in program"}));
}

TEST(ShellServices, NoExceptionReachesTheEventLoop)
{
    ScriptedDialogs dialogs;
    struct Throwing : QWidget {
        bool event(QEvent* e) override
        {
            if (e->type() == QEvent::User)
                throw DbError(QStringLiteral("eroare in handler"));
            return QWidget::event(e);
        }
    } widget;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&widget, &event);
    EXPECT_EQ(dialogs.texts(QStringLiteral("error")), QStringList{"eroare in handler"});
}
