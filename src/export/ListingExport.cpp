#include "export/ListingExport.h"

#include "clipboard/ClipboardExport.h"
#include "export/ExportText.h"
#include "export/OutputFile.h"
#include "print/DocumentOutput.h"
#include "print/Paper.h"

#include <QIODevice>

#include <ctime>
#include <stdexcept>

namespace {

// The document "Print" would send, on the default printer's paper.
std::unique_ptr<PreviewDocument> compose(const ListingExport::Request &request, const ListingExport::Build &build)
{
    const Paper paper = Paper::of(request.page.setup);
    const ListingText &listing = build(request.options, QStringLiteral("|"), QStringLiteral(";"));
    return ListingComposer::composeListing(listing, request.page, paper.size);
}

int digitsAt(QByteArrayView text, qsizetype at, qsizetype count)
{
    int value = 0;
    for (const char c : text.sliced(at, count)) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return days[month - 1] + (month == 2 && leap ? 1 : 0);
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
qint64 daysFromCivil(qint64 year, int month, int day)
{
    year -= month <= 2;
    const qint64 era = (year >= 0 ? year : year - 399) / 400;
    const qint64 yearOfEra = year - era * 400;
    const qint64 dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

} // namespace

std::optional<qint64> ListingExport::isoSeconds(QByteArrayView text)
{
    // The form isoDateTime writes is read here, a million times quickly.
    const bool written = text.size() == 25 && text[4] == '-' && text[7] == '-' && text[10] == 'T' && text[13] == ':'
                         && text[16] == ':' && (text[19] == '+' || text[19] == '-') && text[22] == ':';
    if (!written) {
        const QDateTime other = QDateTime::fromString(QString::fromUtf8(text), Qt::ISODate);
        return other.isValid() ? std::optional(other.toSecsSinceEpoch()) : std::nullopt;
    }
    const int year = digitsAt(text, 0, 4), month = digitsAt(text, 5, 2), day = digitsAt(text, 8, 2);
    const int hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2), second = digitsAt(text, 17, 2);
    const int offsetHours = digitsAt(text, 20, 2), offsetMinutes = digitsAt(text, 23, 2);
    if (year < 0 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour < 0 || hour > 23
        || minute < 0 || minute > 59 || second < 0 || second > 59 || offsetHours < 0 || offsetHours > 23
        || offsetMinutes < 0 || offsetMinutes > 59)
        return std::nullopt;
    const qint64 offset = (offsetHours * 60 + offsetMinutes) * 60 * (text[19] == '-' ? -1 : 1);
    return daysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second - offset;
}

QString ListingExport::isoDateTime(qint64 secondsSinceEpoch)
{
    const time_t t = time_t(secondsSinceEpoch);
    struct tm local;
    if (qint64(t) != secondsSinceEpoch || !localtime_r(&t, &local))
        return QDateTime::fromSecsSinceEpoch(secondsSinceEpoch).toString(Qt::ISODate);
    const long offset = local.tm_gmtoff / 60;
    const long hours = std::labs(offset) / 60;
    const long minutes = std::labs(offset) % 60;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, offset < 0 ? '-' : '+',
                  hours, minutes);
    return QString::fromLatin1(text);
}

bool ListingExport::write(const Request &request, const ListingText &listing, const QDateTime &listedAt, QIODevice &out)
{
    using namespace ExportText;
    const Entries entries(request, listing);
    Sink sink(out);
    try {
        switch (request.format) {
        case ExportFormat::Csv:
            writeCsv(entries, sink);
            break;
        case ExportFormat::Html:
            writeHtml(request, entries, listedAt, sink);
            break;
        case ExportFormat::Json:
            writeJson(request, entries, listedAt, sink);
            break;
        case ExportFormat::Text:
            writeReadableText(request, entries, sink);
            break;
        case ExportFormat::Tsv:
            sink.text() = clipboardText(request.page.title, listing);
            break;
        case ExportFormat::Xlsx:
            writeXlsx(request, entries, out);
            break;
        case ExportFormat::Pdf:
            throw std::logic_error("a PDF is composed, not written from the listing");
        }
        sink.flush();
    } catch (const DeviceRefused &) {
        return false;
    }
    return true;
}

void ListingExport::save(const Request &request, const Build &build, const QString &fileName)
{
    // Opened before the walk, so that an output that cannot be written
    // fails at once; dropped without commit(), it leaves nothing behind.
    OutputFile file(fileName);
    if (request.format == ExportFormat::Pdf) {
        const std::unique_ptr<PreviewDocument> document = compose(request, build);
        if (!DocumentOutput::writePdf(*document, file))
            file.throwFailure(tr("the PDF could not be completed"));
        file.commit();
        return;
    }

    Request used = request;
    used.options.keepDetails = true;
    const bool text = request.format == ExportFormat::Tsv;
    if (text) {
        // The text "Copy" puts on the clipboard, its marks rewritten the same way.
        used.options.dirMark = clipboardDirMark(request.options.dirMark);
        used.options.fileMark = clipboardFileMark(request.options.fileMark);
    }
    const QDateTime listedAt = QDateTime::currentDateTime();
    const ListingText &listing = build(used.options, text ? QStringLiteral("\t") : QStringLiteral("|"),
                                       text ? QStringLiteral("\r\n") : QStringLiteral(";"));
    if (!write(used, listing, listedAt, file))
        file.throwFailure(tr("the listing could not be written"));
    file.commit();
}

void ListingExport::savePdf(const PreviewDocument &document, const QString &fileName)
{
    OutputFile file(fileName);
    if (!DocumentOutput::writePdf(document, file))
        file.throwFailure(tr("the PDF could not be completed"));
    file.commit();
}

void ListingExport::print(const Request &request, const Build &build, const PrintJob &job)
{
    DocumentOutput::print(*compose(request, build), job);
}
