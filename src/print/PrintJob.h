#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <utility>

// What a print job asks of the print server besides the pages: the
// printer, copies, pages and sides, as the print dialog and the command
// line give them.
struct PrintJob
{
    enum class Sides { PrinterDefault, OneSided, LongEdge, ShortEdge };

    QString printer; // a queue's name; empty: the default printer
    int copies = 1;
    QString pageRanges; // as lp -P takes them ("1-3,7,9-"); empty: every page
    Sides sides = Sides::PrinterDefault;
    // Further job options by their print server names ("page-set", "odd"),
    // as the print dialog sets them; the ones above win over these.
    QList<std::pair<QByteArray, QByteArray>> options;
};

namespace PrintJobs {

// First and last page of each range; a range "N-" runs to the last page.
using PageRanges = QList<std::pair<int, int>>;
constexpr int ToTheEnd = 1'000'000'000;

// The ranges lp -P takes: "N", "N-M" or "N-", pages counted from 1,
// separated by commas, each range rising. None when text is not such.
std::optional<PageRanges> parsePageRanges(QStringView text);

} // namespace PrintJobs
