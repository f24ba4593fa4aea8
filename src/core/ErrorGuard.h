#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The text of a failure, whatever its type.
QString failureText(std::exception_ptr failure);

// Shows the application's general error box with the failure's text; a
// silent abort shows nothing.
void showFailure(std::exception_ptr failure);

// Runs a command, button or event handler so that no exception reaches Qt's
// event loop: a failure is shown in the general error box. Returns false
// when the action failed.
bool runGuarded(const std::function<void()>& action);

// The application object: also guards every event Qt delivers.
class LumivaretApplication : public QApplication
{
    Q_OBJECT
public:
    LumivaretApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
