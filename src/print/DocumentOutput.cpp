#include "print/DocumentOutput.h"

#include "print/NamelessFile.h"
#include "print/PageCanvas.h"
#include "print/PdfWriter.h"
#include "print/PreviewDocument.h"
#include "print/PrintError.h"
#include "print/PrintServer.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

void requirePages(const PreviewDocument &document, const char *message)
{
    if (document.pageCount() < 1)
        throw PrintError(PrintError::Cause::NoDocument, DocumentOutput::tr(message));
}

constexpr qreal TwipsPerPoint = 20;

// The document's pages as PDF, in the fonts the layout measured with.
class PdfCanvas : public PageCanvas
{
public:
    PdfCanvas(PdfWriter &writer, const PreviewDocument &document) : m_writer(writer)
    {
        for (int i = 0; i < document.fontCount(); ++i)
            m_fonts.push_back(writer.addFont(document.font(i).font(), TwipsPerPoint));
    }

    void drawText(const QPointF &baseline, QStringView text, int font, qsizetype isolateFrom) override
    {
        if (font >= 0 && size_t(font) < m_fonts.size())
            m_writer.drawText(baseline / TwipsPerPoint, text, m_fonts[size_t(font)], isolateFrom);
    }

    void drawLine(const QPointF &from, const QPointF &to, qreal width) override
    {
        m_writer.drawLine(from / TwipsPerPoint, to / TwipsPerPoint, width / TwipsPerPoint);
    }

private:
    PdfWriter &m_writer;
    std::vector<int> m_fonts; // the writer's font for each of the document's
};

std::chrono::milliseconds s_serverSilenceLimit(15000);

// Writes every page into device as PDF; false when the device refused a
// write. pageDone, if given, is told each page as it is written.
bool renderPdf(const PreviewDocument &document, QIODevice &device, const std::function<void(int)> &pageDone = {})
{
    PdfWriter writer(&device);
    writer.setCreator(QStringLiteral("Foliotrace"));
    writer.setTitle(DocumentOutput::title(document));
    PdfCanvas canvas(writer, document);
    const QSizeF paper = document.pageSizeTwips() / TwipsPerPoint;
    for (int page = 1; page <= document.pageCount(); ++page) {
        writer.beginPage(paper);
        document.paintPage(canvas, page);
        writer.endPage();
        if (pageDone)
            pageDone(page);
    }
    return writer.finish();
}

// The job's options as the print server names them: the paper the pages
// were laid out on, then what the job asks for.
PrintServer::Options jobOptions(const PreviewDocument &document, const PrintJob &job)
{
    PrintServer::Options options = job.options;
    const auto set = [&options](const QByteArray &name, const QByteArray &value) {
        options.removeIf([&name](const auto &option) { return option.first == name; });
        options.append({name, value});
    };
    if (const QByteArray media = PrintServer::mediaName(document.pageSize()); !media.isEmpty())
        set("media", media);
    if (job.copies > 1)
        set("copies", QByteArray::number(job.copies));
    if (!job.pageRanges.isEmpty()) {
        const std::optional<PrintJobs::PageRanges> ranges = PrintJobs::parsePageRanges(job.pageRanges);
        if (!ranges) {
            throw PrintError(
                PrintError::Cause::NoSuchPages,
                DocumentOutput::tr("\"%1\" names no pages; give them as 1-3,7 or 9-.").arg(job.pageRanges));
        }
        const int pages = document.pageCount();
        if (std::none_of(ranges->begin(), ranges->end(), [pages](const auto &r) { return r.first <= pages; })) {
            throw PrintError(PrintError::Cause::NoSuchPages,
                             (pages == 1 ? DocumentOutput::tr("The document has one page, none of %1.")
                                         : DocumentOutput::tr("The document has %L2 pages, none of %1."))
                                 .arg(job.pageRanges)
                                 .arg(pages));
        }
        set("page-ranges", job.pageRanges.toLatin1());
    }
    static const char *const sides[] = {nullptr, "one-sided", "two-sided-long-edge", "two-sided-short-edge"};
    if (const char *value = sides[int(job.sides)])
        set("sides", value);
    return options;
}

} // namespace

QString DocumentOutput::title(const PreviewDocument &document)
{
    const QString text = document.title().simplified();
    return text.isEmpty() ? QStringLiteral("Foliotrace") : text;
}

bool DocumentOutput::writePdf(const PreviewDocument &document, QIODevice &device)
{
    requirePages(document, QT_TR_NOOP("There is no document to save."));
    return renderPdf(document, device);
}

void DocumentOutput::setServerSilenceLimit(std::chrono::milliseconds limit)
{
    s_serverSilenceLimit = limit;
}

void DocumentOutput::sendToDefaultPrinter(const PreviewDocument &document, const Progress &progress)
{
    print(document, PrintJob(), progress);
}

QString DocumentOutput::defaultPrinter(const Progress &progress)
{
    return QString::fromLocal8Bit(
        PrintServer(s_serverSilenceLimit,
                    [&progress] {
                        if (progress)
                            progress(tr("Waiting for the print server %1\u2026").arg(PrintServer::name()));
                    })
            .defaultQueue()
            .name);
}

void DocumentOutput::print(const PreviewDocument &document, const PrintJob &job, const Progress &progress)
{
    requirePages(document, QT_TR_NOOP("There is no document to print."));
    const PrintServer::Options options = jobOptions(document, job);
    const auto tell = [&progress](const QString &status) {
        if (progress)
            progress(status);
    };
    // Asked first, so that a missing printer is told before the work of the PDF.
    const QByteArray queue = [&] {
        PrintServer server(s_serverSilenceLimit,
                           [&tell] { tell(tr("Waiting for the print server %1\u2026").arg(PrintServer::name())); });
        return (job.printer.isEmpty() ? server.defaultQueue() : server.namedQueue(job.printer.toLocal8Bit())).name;
    }();
    const QString printer = QString::fromLocal8Bit(queue);

    const auto failCopy = [](const QString &reason) {
        throw PrintError(PrintError::Cause::OutputFailed, tr("Cannot write the copy for the printer in %1: %2.")
                                                              .arg(QDir::toNativeSeparators(QDir::tempPath()), reason));
    };
    QFile pdf;
    if (!openNameless(pdf))
        failCopy(qt_error_string(errno));
    const int pages = document.pageCount();
    const bool painted = renderPdf(document, pdf, [&](int page) {
        tell(tr("Preparing page %L1 of %L2 for %3\u2026").arg(page).arg(pages).arg(printer));
    });
    if (!painted || !pdf.flush() || !pdf.seek(0))
        failCopy(pdf.errorString());

    PrintServer(s_serverSilenceLimit, [&] {
        tell(tr("Sending the document to %1\u2026").arg(printer));
    }).print(queue, pdf, title(document).toUtf8(), options);
}
