#include "app/PrintDialogs.h"
#include "ui_PageSetupExtras.h"

#include "print/PrintServer.h"

#include <QBoxLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>

#include <memory>

namespace {

// Shown by Qt's page setup, but not ours to pass to the print server: the
// paper tray and pages per sheet. (Found by the names Qt's form gives
// them; were they renamed, they would only show.)
void hideForeignChoices(QWidget *dialog)
{
    for (const char *name : {"paperSource", "paperSourceLabel", "pagesPerSheetButtonGroup"}) {
        if (auto *widget = dialog->findChild<QWidget *>(QLatin1StringView(name)))
            widget->hide();
    }
}

} // namespace

std::optional<PageSetup> askPageSetup(QWidget *parent, const PageSetup &current, const Paper &paper)
{
    // A print server that did not answer in time is not asked again: Qt's
    // own calls would wait a minute on a silent one. The common sizes then.
    std::optional<PrintServer::Unreachable> nowhere;
    if (paper.printer.isEmpty())
        nowhere.emplace();
    QPrinter printer(QPrinter::HighResolution);
    if (paper.printer.isEmpty())
        printer.setOutputFormat(QPrinter::PdfFormat);
    else
        printer.setPrinterName(paper.printer);
    const QPageLayout opened = current.layout(paper.size);
    printer.setPageLayout(opened);

    QPageSetupDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("pageSetupDialog"));
    hideForeignChoices(&dialog);
    auto *extras = new QGroupBox(&dialog);
    Ui::PageSetupExtras ui;
    ui.setupUi(extras);
    ui.fitWidth->setChecked(current.fitWidth);
    ui.textSize->setValue(current.textPercent);
    // Above the dialog's buttons where its layout allows, else below them.
    if (auto *column = qobject_cast<QBoxLayout *>(dialog.layout()))
        column->insertWidget(column->count() - 1, extras);
    else if (dialog.layout())
        dialog.layout()->addWidget(extras);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    const QPageLayout chosen = printer.pageLayout();
    PageSetup setup;
    // The printer's paper stays the printer's, whichever printer is the
    // default later, until another is chosen.
    if (current.paper || !chosen.pageSize().isEquivalentTo(opened.pageSize()))
        setup.paper = chosen.pageSize();
    setup.orientation = chosen.orientation();
    setup.margins = chosen.margins(QPageLayout::Point);
    setup.fitWidth = ui.fitWidth->isChecked();
    setup.textPercent = ui.textSize->value();
    return setup;
}

std::optional<PrintJob> askPrintJob(QWidget *parent, int pages, const QString &printer)
{
    QPrinter device(QPrinter::HighResolution);
    if (!printer.isEmpty())
        device.setPrinterName(printer);
    QPrintDialog dialog(&device, parent);
    dialog.setObjectName(QStringLiteral("printDialog"));
    // No "Print to File": Save As makes the PDF, from the same pages.
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies);
    dialog.setMinMax(1, pages);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return printJobFrom(device);
}

PrintJob printJobFrom(const QPrinter &printer)
{
    PrintJob job;
    job.printer = printer.printerName();
    // What the dialog set for the print server itself (odd or even pages,
    // banner pages and the like): name and value pairs under the engine's
    // first custom key.
    const QStringList serverOptions = printer.printEngine()
                                          ->property(QPrintEngine::PrintEnginePropertyKey(QPrintEngine::PPK_CustomBase))
                                          .toStringList();
    for (qsizetype i = 0; i + 1 < serverOptions.size(); i += 2)
        job.options.append({serverOptions[i].toUtf8(), serverOptions[i + 1].toUtf8()});
    job.copies = printer.copyCount();
    if (printer.printRange() == QPrinter::PageRange && !printer.pageRanges().isEmpty())
        job.pageRanges = printer.pageRanges().toString();
    switch (printer.duplex()) {
    case QPrinter::DuplexNone:
        job.sides = PrintJob::Sides::OneSided;
        break;
    case QPrinter::DuplexLongSide:
        job.sides = PrintJob::Sides::LongEdge;
        break;
    case QPrinter::DuplexShortSide:
        job.sides = PrintJob::Sides::ShortEdge;
        break;
    case QPrinter::DuplexAuto:
        break;
    }
    using Option = std::pair<QByteArray, QByteArray>;
    if (job.copies > 1 && !printer.collateCopies())
        job.options.append(Option("multiple-document-handling", "separate-documents-uncollated-copies"));
    if (printer.colorMode() == QPrinter::GrayScale)
        job.options.append(Option("print-color-mode", "monochrome"));
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        job.options.append(Option("outputorder", "reverse"));
    return job;
}
