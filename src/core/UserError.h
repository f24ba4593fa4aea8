#pragma once

#include <QString>
#include <stdexcept>

// A failure whose text is meant for the user (a store error, a file that
// cannot be copied, ...): the error guard shows `text()` as it is.
class UserError : public std::runtime_error
{
public:
    explicit UserError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};
