#pragma once

#include <QString>

#include <stdexcept>

// Why printing or saving a document failed; the window shows message().
class PrintError : public std::runtime_error
{
public:
    enum class Cause {
        NoDocument,        // nothing composed yet
        NoDefaultPrinter,  // no queue to send to, or no print server answering
        JobRefused,        // the print server did not take the job
        OutputFailed,      // the PDF could not be written
    };

    PrintError(Cause cause, const QString &message)
        : std::runtime_error(message.toStdString())
        , m_cause(cause)
        , m_message(message)
    {
    }

    Cause cause() const { return m_cause; }
    const QString &message() const { return m_message; }

private:
    Cause m_cause;
    QString m_message;
};
