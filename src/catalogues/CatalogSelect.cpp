#include "catalogues/CatalogSelect.h"

#include "catalogues/CatalogWindow.h"
#include "core/UserDialogs.h"
#include "db/DbError.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <optional>

namespace
{

void centreOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

// The chosen key, or nothing when the user gave up.
std::optional<QVariant> select(const CatalogDescriptor& descriptor, QWidget* caller, const QVariant& code)
{
    QPointer<TCatalogFrm> window;
    try {
        window = new TCatalogFrm(descriptor, TCatalogFrm::Mode::Select, caller);
        window->startAt(code);
    } catch (const DbError& e) {
        delete window.data();
        dialogs().error(e.text());
        return std::nullopt;
    }
    centreOnScreen(window);
    const int result = window->exec();
    if (!window) // the caller went away meanwhile, taking the picker with it
        return std::nullopt;
    const QVariant key = result == QDialog::Rejected ? QVariant() : window->currentKey();
    delete window.data();
    if (key.isNull())
        return std::nullopt;
    return key;
}

} // namespace

bool SelectEnorias(QWidget* caller, QString& code)
{
    const std::optional<QVariant> chosen = select(Catalogs::parishioners(), caller, code);
    if (chosen)
        code = chosen->toString();
    return chosen.has_value();
}

bool SelectTipVenit(QWidget* caller, int& code)
{
    const std::optional<QVariant> chosen = select(Catalogs::incomeTypes(), caller, code);
    if (chosen)
        code = chosen->toInt();
    return chosen.has_value();
}

bool SelectTipCheltuiala(QWidget* caller, int& code)
{
    const std::optional<QVariant> chosen = select(Catalogs::expenseTypes(), caller, code);
    if (chosen)
        code = chosen->toInt();
    return chosen.has_value();
}
