#pragma once

#include "print/PageSetup.h"
#include "print/Paper.h"
#include "print/PrintJob.h"

#include <optional>

class QPrinter;
class QWidget;

// Qt's page setup and print dialogs over our own print path: they choose,
// and DocumentOutput prints through CUPS with what they chose.

// Page Setup…: Qt's page setup (paper, which way up, margins) with the
// listing's own two choices below it. The paper list is the printer's when
// paper names a default printer (it answered in time), else the common
// sizes. Nothing when the user cancels.
std::optional<PageSetup> askPageSetup(QWidget *parent, const PageSetup &current, const Paper &paper);

// Print…: Qt's print dialog for a document of pages pages, on printer
// first (the default printer; empty for none). Nothing when the user
// cancels.
std::optional<PrintJob> askPrintJob(QWidget *parent, int pages, const QString &printer);

// What the print dialog set on printer, as a job for the print server.
PrintJob printJobFrom(const QPrinter &printer);
