#pragma once

#include "UserError.h"

// Why printing or saving a document failed.
class PrintError : public UserError
{
public:
    enum class Cause {
        NoDocument,       // nothing composed yet
        NoServer,         // no print server to ask
        NoDefaultPrinter, // no queue to send to
        NoSuchPrinter,    // the printer asked for is not one the server has
        NoSuchPages,      // the pages asked for are not in the document
        ServerSilent,     // the print server took the connection and then said nothing
        JobRefused,       // the print server did not take the job
        OutputFailed,     // the PDF could not be written
    };

    PrintError(Cause cause, const QString &message) : UserError(message), m_cause(cause) {}

    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};
