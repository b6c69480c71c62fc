#pragma once

#include "print/PrintJob.h"

#include <QCoreApplication>
#include <QString>

#include <chrono>
#include <functional>

class QIODevice;
class PreviewDocument;

// A finished document leaving the program: as PDF, or to the default
// printer through CUPS. Both paint every page with the same function the
// screen uses, so what prints is what the preview shows. Each throws
// PrintError naming the cause.
class DocumentOutput
{
    Q_DECLARE_TR_FUNCTIONS(DocumentOutput)

public:
    // The document's first paragraph (its title) on one line, or the program's
    // name when that is empty: the PDF's title and the print job's name.
    static QString title(const PreviewDocument &document);

    // Writes every page into device as PDF; false when the device refused a
    // write (its error string says why).
    static bool writePdf(const PreviewDocument &document, QIODevice &device);

    // How far printing has come, for a progress line ("Sending the document
    // to office…"); called often while it waits, and may throw to cancel:
    // the job is then cancelled too and the throw passes on unchanged.
    using Progress = std::function<void(const QString &status)>;

    // Every page to the default printer as one job named after the title,
    // without a dialog. A print server that says nothing for the silence
    // limit gives PrintError (Cause::ServerSilent) naming it.
    static void sendToDefaultPrinter(const PreviewDocument &document, const Progress &progress = {});
    // The same to the job's printer, with its copies, pages and sides, on
    // the document's paper. Pages asked for that the document does not
    // have give PrintError (Cause::NoSuchPages) before anything is sent.
    static void print(const PreviewDocument &document, const PrintJob &job, const Progress &progress = {});
    // The default printer's name, asked of the print server as print() asks.
    static QString defaultPrinter(const Progress &progress = {});

    // 15 s unless set.
    static void setServerSilenceLimit(std::chrono::milliseconds limit);
};
