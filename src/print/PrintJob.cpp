#include "print/PrintJob.h"

#include <QRegularExpression>

namespace PrintJobs {

std::optional<PageRanges> parsePageRanges(QStringView text)
{
    static const QRegularExpression range(QStringLiteral("^\\s*(\\d{1,9})\\s*(-\\s*(\\d{0,9}))?\\s*$"));
    PageRanges ranges;
    for (QStringView part : text.split(u',')) {
        const QRegularExpressionMatch match = range.match(part);
        if (!match.hasMatch())
            return std::nullopt;
        const int first = match.capturedView(1).toInt();
        const QStringView last = match.capturedView(3);
        const int end = !match.hasCaptured(2) ? first : last.isEmpty() ? ToTheEnd : last.toInt();
        if (first < 1 || end < first)
            return std::nullopt;
        ranges.append({first, end});
    }
    return ranges;
}

} // namespace PrintJobs
