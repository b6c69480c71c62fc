#pragma once

#include "listing/ListingOptions.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;
struct ListingText;

// The listing saved as a file: the PDF "Print" would send, or one of four
// text formats for spreadsheets, browsers and scripts. Every format holds
// the listing the options describe (depth, switches, marks, widths). A file
// is written whole or not at all; failures throw PrintError naming the file.
class ListingExport
{
    Q_DECLARE_TR_FUNCTIONS(ListingExport)

public:
    enum class Format { Pdf, Csv, Html, Json, Text };
    static constexpr Format Formats[] = {Format::Pdf, Format::Csv, Format::Html, Format::Json, Format::Text};

    // "pdf", "csv", "html", "json", "txt": the format's name and its file extension.
    static QString name(Format format);
    // A name or an extension, in any letter case ("HTM" and "text" too).
    static std::optional<Format> formatNamed(QStringView name);
    // By the file name's extension.
    static std::optional<Format> formatOfFile(QStringView fileName);
    // "CSV table (*.csv)", for a file dialog.
    static QString fileFilter(Format format);

    // What one export lists and how.
    struct Request
    {
        Format format = Format::Csv;
        ListingOptions options; // path and marks included, as the user gave them
        QString title;
        QString gridText; // as the grid list holds it: "None", "Rows", "Top & Bottom", "All"
    };

    // Builds the listing for these options with these separators and gives
    // it back; what it throws passes through.
    using Build = std::function<const ListingText &(const ListingOptions &options, const QString &cSeperator,
                                                    const QString &rSeperator)>;

    // Builds the listing once and writes it to fileName ("-" for standard
    // output) as OutputFile does.
    static void save(const Request &request, const Build &build, const QString &fileName);

    // The document "Print" would send, to the default printer.
    static void print(const Request &request, const Build &build);

    // A text format of a listing built already, with keepDetails, from
    // request.options. False when the device refused a write.
    static bool write(const Request &request, const ListingText &listing, const QDateTime &listedAt, QIODevice &out);

    // Local time as ISO 8601 with its UTC offset: 2001-03-07T12:00:00+01:00.
    static QString isoDateTime(qint64 secondsSinceEpoch);
};
