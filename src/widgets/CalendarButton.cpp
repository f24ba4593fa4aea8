#include "widgets/CalendarButton.h"

#include "db/DateFormat.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QStyle>

void addCalendarButton(QLineEdit* input, std::function<void()> onClick)
{
    QAction* button = input->addAction(QApplication::style()->standardIcon(QStyle::SP_FileDialogDetailedView),
                                       QLineEdit::TrailingPosition);
    button->setObjectName(QStringLiteral("Calendar"));
    // The icon button says what it does to a screen reader.
    button->setText(QStringLiteral("Deschide calendarul"));
    button->setToolTip(QStringLiteral("Calendar (Ctrl+Enter)"));
    QObject::connect(button, &QAction::triggered, input, [onClick = std::move(onClick)] { onClick(); });
}

QString dateInputMask()
{
    const QString s(DateFormat::separator());
    return QStringLiteral("99") + s + QStringLiteral("99") + s + QStringLiteral("9999;_");
}
