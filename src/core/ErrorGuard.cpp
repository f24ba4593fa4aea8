#include "core/ErrorGuard.h"

#include "core/ComboBoxAccessible.h"
#include "core/SilentAbort.h"
#include "core/UserDialogs.h"
#include "core/UserError.h"
#include "core/Utilities.h"

QString failureText(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const UserError& e) {
        return e.text();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Eroare neasteptata in program");
    }
}

void showFailure(std::exception_ptr failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const SilentAbort&) {
        return;
    } catch (...) {
        dialogs().error(failureText(std::current_exception()));
    }
}

bool runGuarded(const std::function<void()>& action)
{
    try {
        if (action)
            action();
        return true;
    } catch (...) {
        showFailure(std::current_exception());
        return false;
    }
}

LumivaretApplication::LumivaretApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    installComboBoxAccessible();
}

bool LumivaretApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showFailure(std::current_exception());
        return false;
    }
}
