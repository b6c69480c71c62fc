#pragma once

#include "export/ExportFormat.h"
#include "listing/ListingOptions.h"
#include "print/ListingComposer.h"
#include "print/PrintJob.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

class PreviewDocument;
class QIODevice;
struct ListingText;

// The listing saved as a file: the PDF "Print" would send, a spreadsheet,
// or one of the text formats for people, spreadsheets, browsers and scripts. Every format holds
// the listing the options describe (depth, switches, marks, widths). A file
// is written as OutputFile writes it; failures throw PrintError naming the file.
class ListingExport
{
    Q_DECLARE_TR_FUNCTIONS(ListingExport)

public:
    // What one export lists and how.
    struct Request
    {
        ExportFormat format = ExportFormat::Csv;
        ListingOptions options; // path and marks included, as the user gave them
        PageOptions page;
    };

    // Builds the listing for these options with these separators and gives
    // it back; what it throws passes through.
    using Build = std::function<const ListingText &(const ListingOptions &options, const QString &columnSeparator,
                                                    const QString &rowSeparator)>;

    // Builds the listing once and writes it to fileName ("-" for standard
    // output) as OutputFile does.
    static void save(const Request &request, const Build &build, const QString &fileName);

    // The document "Print" would send, to the job's printer (the default one unless it names another).
    static void print(const Request &request, const Build &build, const PrintJob &job = {});

    // A composed document as a PDF file.
    static void savePdf(const PreviewDocument &document, const QString &fileName);

    // A text format or a spreadsheet of a listing built already, with
    // keepDetails, from request.options. False when the device refused a write.
    static bool write(const Request &request, const ListingText &listing, const QDateTime &listedAt, QIODevice &out);

    // Local time as ISO 8601 with its UTC offset: 2001-03-07T12:00:00+01:00.
    static QString isoDateTime(qint64 secondsSinceEpoch);
    // Seconds since the epoch of an ISO 8601 date and time, as isoDateTime
    // writes it or otherwise; nothing when the text is none.
    static std::optional<qint64> isoSeconds(QByteArrayView text);
};
