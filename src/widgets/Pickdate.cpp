#include "widgets/Pickdate.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

TBrDateForm::TBrDateForm(const QDate& date, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Selecteaza data"));
    setObjectName(QStringLiteral("TBrDateForm"));

    auto* previous = new QToolButton(this);
    previous->setObjectName(QStringLiteral("LunaAnterioara"));
    previous->setArrowType(Qt::LeftArrow);
    previous->setAccessibleName(QStringLiteral("Luna anterioara"));
    auto* next = new QToolButton(this);
    next->setObjectName(QStringLiteral("LunaUrmatoare"));
    next->setArrowType(Qt::RightArrow);
    next->setAccessibleName(QStringLiteral("Luna urmatoare"));
    m_title = new QLabel(this);
    m_title->setAlignment(Qt::AlignCenter);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    auto* header = new QHBoxLayout;
    header->addWidget(previous);
    header->addWidget(m_title, 1);
    header->addWidget(next);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setNavigationBarVisible(false);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setLocale(QLocale());
    m_calendar->setSelectedDate(date.isValid() ? date : QDate::currentDate());
    m_calendar->setAccessibleName(QStringLiteral("Calendar"));
    for (QWidget* child : m_calendar->findChildren<QWidget*>())
        child->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("&Renunta"), QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(m_calendar);
    layout->addWidget(buttons);

    connect(previous, &QToolButton::clicked, this, [this] { moveMonths(-1); });
    connect(next, &QToolButton::clicked, this, [this] { moveMonths(1); });
    connect(m_calendar, &QCalendarWidget::currentPageChanged, this, &TBrDateForm::showMonthTitle);
    connect(m_calendar, &QCalendarWidget::activated, this, &QDialog::accept); // double-click or Enter
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showMonthTitle();
    m_calendar->setFocus();
}

QDate TBrDateForm::date() const
{
    return m_calendar->selectedDate();
}

QString TBrDateForm::title() const
{
    return m_title->text();
}

void TBrDateForm::showMonthTitle()
{
    m_title->setText(QLocale().standaloneMonthName(m_calendar->monthShown(), QLocale::LongFormat) +
                     QStringLiteral(", ") + QString::number(m_calendar->yearShown()));
}

void TBrDateForm::moveMonths(int months)
{
    m_calendar->setSelectedDate(m_calendar->selectedDate().addMonths(months));
}

bool TBrDateForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown) {
            moveMonths(key->key() == Qt::Key_PageUp ? -1 : 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
