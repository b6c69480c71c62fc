#pragma once

#include <QString>

#include <stdexcept>

// A failure the user is told about: what() is the message, ready for a
// message box, and message() the same as text. Every subsystem's errors
// derive from it, so the window catches this one type.
class UserError : public std::runtime_error
{
public:
    explicit UserError(const QString &message) : std::runtime_error(message.toStdString()) {}

    QString message() const { return QString::fromStdString(what()); }
};
