#include "widgets/DBNavigator.h"

#include "core/ErrorGuard.h"
#include "db/Dataset.h"
#include "widgets/ConfirmDelete.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace
{

struct ButtonLook {
    TDBNavigator::Button button;
    const char* glyph;
    const char* hint;
};

constexpr ButtonLook looks[] = {
    {TDBNavigator::First, "|\u25C4", "Primul"},  {TDBNavigator::Prior, "\u25C4", "Anterior"},
    {TDBNavigator::Next, "\u25BA", "Urmator"},   {TDBNavigator::Last, "\u25BA|", "Ultimul"},
    {TDBNavigator::Insert, "+", "Adauga"},       {TDBNavigator::Delete, "\u2212", "Sterge"},
    {TDBNavigator::Edit, "\u25B2", "Modifica"},  {TDBNavigator::Post, "\u2713", "Salveaza"},
    {TDBNavigator::Cancel, "\u2717", "Renunta"}, {TDBNavigator::Refresh, "\u21BB", "Reincarca"},
};

struct ButtonHint {
    TDBNavigator::Button button;
    const char* hint;
};

constexpr ButtonHint recordHints[] = {
    {TDBNavigator::First, "Prima inregistrare"},          {TDBNavigator::Prior, "Inregistrarea precedenta"},
    {TDBNavigator::Next, "Inregistrarea urmatoare"},      {TDBNavigator::Last, "Ultima inregistrare"},
    {TDBNavigator::Insert, "Insereaza inregistrare"},     {TDBNavigator::Delete, "Sterge inregistrare"},
    {TDBNavigator::Refresh, "Actualizeaza inregistrari"},
};

constexpr ButtonHint documentHints[] = {
    {TDBNavigator::First, "Primul document"},       {TDBNavigator::Prior, "Precedentul document"},
    {TDBNavigator::Next, "Urmatorul document"},     {TDBNavigator::Last, "Ultimul document"},
    {TDBNavigator::Insert, "Document nou"},         {TDBNavigator::Delete, "Sterge document"},
    {TDBNavigator::Post, "Salveaza document"},      {TDBNavigator::Cancel, "Anuleaza modificarile"},
    {TDBNavigator::Refresh, "Actualizeaza datele"},
};

} // namespace

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent)
{
    setAccessibleName(QStringLiteral("Navigator"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const ButtonLook& look : looks) {
        auto* button = new QToolButton(this);
        button->setText(QString::fromUtf8(look.glyph));
        button->setMinimumWidth(24);
        button->setFocusPolicy(Qt::TabFocus);
        layout->addWidget(button);
        m_buttons.insert(look.button, button);
        const Button which = look.button;
        connect(button, &QToolButton::clicked, this, [this, which] { press(which); });
        setHint(which, defaultHint(which));
    }
    updateButtons();
}

QString TDBNavigator::defaultHint(Button button)
{
    for (const ButtonLook& look : looks)
        if (look.button == button)
            return QString::fromLatin1(look.hint);
    return {};
}

void TDBNavigator::bind(Dataset* dataset)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    if (dataset) {
        connect(dataset, &Dataset::stateChanged, this, &TDBNavigator::updateButtons);
        connect(dataset, &Dataset::currentRowChanged, this, &TDBNavigator::updateButtons);
        connect(dataset, &Dataset::rowsReset, this, &TDBNavigator::updateButtons);
        connect(dataset, &Dataset::rowInserted, this, &TDBNavigator::updateButtons);
        connect(dataset, &Dataset::rowRemoved, this, &TDBNavigator::updateButtons);
        connect(dataset, &QObject::destroyed, this, &TDBNavigator::updateButtons);
    }
    updateButtons();
}

void TDBNavigator::setButtons(Buttons buttons)
{
    m_visible = buttons;
    for (auto it = m_buttons.cbegin(); it != m_buttons.cend(); ++it)
        it.value()->setVisible(buttons.testFlag(it.key()));
}

void TDBNavigator::setHint(Button button, const QString& hint)
{
    QToolButton* target = m_buttons.value(button);
    target->setToolTip(hint);
    target->setStatusTip(hint);
    target->setAccessibleName(hint);
}

QString TDBNavigator::hint(Button button) const
{
    return m_buttons.value(button)->toolTip();
}

void TDBNavigator::setHints(Hints hints)
{
    const auto apply = [this](const auto& wording) {
        for (const ButtonHint& h : wording)
            setHint(h.button, QString::fromLatin1(h.hint));
    };
    if (hints == Hints::Records)
        apply(recordHints);
    else
        apply(documentHints);
}

QList<QToolButton*> TDBNavigator::shownButtons() const
{
    QList<QToolButton*> shown;
    for (const ButtonLook& look : looks)
        if (m_visible.testFlag(look.button))
            shown << m_buttons.value(look.button);
    return shown;
}

void TDBNavigator::press(Button button)
{
    Dataset* data = m_dataset;
    if (data && data->isActive()) {
        runGuarded([&] {
            switch (button) {
            case First:
                data->first();
                break;
            case Prior:
                data->prior();
                break;
            case Next:
                data->next();
                break;
            case Last:
                data->last();
                break;
            case Insert:
                data->insert();
                break;
            case Delete:
                if (!m_confirmDelete || confirmRecordDelete())
                    data->remove();
                break;
            case Edit:
                data->edit();
                break;
            case Post:
                data->post();
                break;
            case Cancel:
                data->cancel();
                break;
            case Refresh:
                data->refresh();
                break;
            }
        });
    }
    // The dataset's flags are settled only when the operation has returned.
    updateButtons();
    Q_EMIT clicked(button);
}

void TDBNavigator::updateButtons()
{
    const Dataset* data = m_dataset;
    const bool active = data && data->isActive();
    const bool editing = active && data->isEditing();
    const bool empty = !active || data->isEmpty();
    const bool atFirst = empty || data->bof() || data->currentRow() <= 0;
    const bool atLast = empty || data->eof() || data->currentRow() >= data->recordCount() - 1;
    const auto enable = [this](Button button, bool on) { m_buttons.value(button)->setEnabled(on); };
    enable(First, !atFirst);
    enable(Prior, !atFirst);
    enable(Next, !atLast);
    enable(Last, !atLast);
    enable(Insert, active);
    enable(Delete, !empty);
    enable(Edit, active && !editing);
    enable(Post, editing);
    enable(Cancel, editing);
    enable(Refresh, active);
}
