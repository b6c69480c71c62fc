// Composes the listing of a folder as the preview shows it and prints what
// each stage costs: the listing build, the layout, painting the first page
// on screen, find in the preview (its index, and its slowest step: a text
// no name holds, so every row is looked at, then the page of the last
// row), writing the whole document as PDF, and the peak memory.
//
// With --pdf, the same listing (heading and rows, cells between tabs, one
// row a line) also goes through enscript and ps2pdf, the usual way to turn
// text into PDF on this system, for a yardstick measured in the same run.

#include "listing/FileSystemObject.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingText.h"
#include "export/ListingExport.h"
#include "listing/ListingFormat.h"
#include "print/ListingComposer.h"
#include "print/ListingSearch.h"
#include "print/Paper.h"

#include <QGuiApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <stdexcept>

#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

int usage()
{
    std::fputs("usage: preview-bench FOLDER [--depth TEXT] [--pdf FILE]\n", stderr);
    return 2;
}

struct PdfFigures
{
    double seconds = 0;
    int pages = 0;
    qint64 bytes = 0;
};

int pdfPages(const QString &file)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {file});
    info.waitForFinished(-1);
    const QRegularExpressionMatch pages
        = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.readAllStandardOutput()));
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

// The listing as plain text: "Sub-Directories\tSize (KB)\tDate", then a line per row.
void writeListingText(const ListingText &listing, const QString &file)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write " + file.toStdString());
    QString text = listing.headings.join(u'\t') + u'\n';
    for (const ListingRow &row : listing.rows) {
        for (int c = 0; c < listing.columnCount(); ++c) {
            if (c)
                text += u'\t';
            text += listing.cell(row, c);
        }
        text += u'\n';
        if (text.size() > (1 << 20)) {
            out.write(text.toUtf8());
            text.clear();
        }
    }
    out.write(text.toUtf8());
}

// enscript (Courier 10, page header on) piped into ps2pdf, on the document's paper.
PdfFigures enscriptToPdf(const QString &textFile, const QString &pdfFile, const QPageSize &paper)
{
    const QString media = paper.id() == QPageSize::A4 ? QStringLiteral("A4") : QStringLiteral("Letter");
    QProcess pipeline;
    const auto start = Clock::now();
    const QString script = QStringLiteral("set -o pipefail; enscript -q -M \"$1\" -p - \"$2\" | ps2pdf - \"$3\"");
    pipeline.start(QStringLiteral("bash"),
                   {QStringLiteral("-c"), script, QStringLiteral("bash"), media, textFile, pdfFile});
    if (!pipeline.waitForFinished(-1) || pipeline.exitCode() != 0)
        throw std::runtime_error("enscript | ps2pdf failed: " + pipeline.readAllStandardError().toStdString());
    return {seconds(start), pdfPages(pdfFile), QFileInfo(pdfFile).size()};
}

void printYardstick(const ListingText &listing, const PreviewDocument &document, const PdfFigures &ours)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("listing.txt"));
    writeListingText(listing, text);
    const PdfFigures gs = enscriptToPdf(text, dir.filePath(QStringLiteral("enscript.pdf")), document.pageSize());
    std::printf("gs_s: %.3f\n", gs.seconds);
    std::printf("gs_pages: %d\n", gs.pages);
    std::printf("ratio_vs_gs: %.3f\n", gs.seconds > 0 ? ours.seconds / gs.seconds : 0.0);
    const double oursPerPage = ours.pages ? double(ours.bytes) / ours.pages : 0.0;
    const double gsPerPage = gs.pages ? double(gs.bytes) / gs.pages : 0.0;
    std::printf("gs_bytes_per_page: %.0f\n", gsPerPage);
    std::printf("bytes_ratio_vs_gs: %.3f\n", gsPerPage > 0 ? oursPerPage / gsPerPage : 0.0);
}

struct Arguments
{
    ListingOptions options;
    QString pdfFile;
};

bool parse(int argc, char **argv, Arguments &args)
{
    args.options.depth = 3;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--depth") && i + 1 < argc)
            args.options.depth = ListingFormat::depthLevels(QString::fromLocal8Bit(argv[++i]));
        else if (!std::strcmp(argv[i], "--pdf") && i + 1 < argc)
            args.pdfFile = QString::fromLocal8Bit(argv[++i]);
        else if (argv[i][0] == '-' || !args.options.path.isEmpty())
            return false;
        else
            args.options.path = QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath();
    }
    return !args.options.path.isEmpty();
}

double firstPageMilliseconds(const PreviewDocument &document)
{
    const QSizeF twips = document.pageSizeTwips();
    QImage screen((twips * (96.0 / 1440)).toSize(), QImage::Format_ARGB32_Premultiplied);
    const auto start = Clock::now();
    screen.fill(Qt::white);
    QPainter painter(&screen);
    document.renderPage(painter, 1, QRectF(QPointF(), QSizeF(screen.size())));
    return seconds(start) * 1000;
}

struct FindFigures
{
    double indexMs = 0;
    double stepMs = 0;  // the slowest of a few: found nowhere, all rows scanned
    double placeMs = 0; // the last row's page and box
};

FindFigures findFigures(const ListingText &listing, const PreviewDocument &document)
{
    FindFigures figures;
    auto start = Clock::now();
    const ListingSearch search(listing);
    // The index is made on a thread of its own; this waits until it is.
    if (search.rowCount() != listing.rows.size())
        throw std::runtime_error("the search index does not hold every row");
    figures.indexMs = seconds(start) * 1000;
    for (int round = 0; round < 5; ++round) {
        start = Clock::now();
        if (search.find(QStringLiteral("\u2603 nowhere"), round, ListingSearch::Direction::Forward) >= 0)
            throw std::runtime_error("a name holds the text meant to be found nowhere");
        figures.stepMs = std::max(figures.stepMs, seconds(start) * 1000);
    }
    start = Clock::now();
    const PreviewDocument::RowPlace place = document.bodyRowPlace(listing.rows.size() - 1);
    figures.placeMs = seconds(start) * 1000;
    if (!listing.rows.isEmpty() && place.page != document.pageCount() && listing.problems.isEmpty())
        throw std::runtime_error("the last row is not on the last page");
    return figures;
}

int run(const Arguments &args)
{
    const std::unique_ptr<FileSystemObject> fileSystem = createFileSystemObject();
    ListingText listing;
    double buildSeconds = 0;
    const ListingOptions &options = args.options;
    const Paper paper = Paper::ofDefaultPrinter();
    const auto start = Clock::now();
    buildListing(options, QStringLiteral("|"), QStringLiteral(";"), *fileSystem, listing);
    buildSeconds = seconds(start);
    const auto layoutStart = Clock::now();
    const std::unique_ptr<PreviewDocument> document = ListingComposer::composeListing(
        listing, {GridStyle::Rows, options.path, QStringLiteral("Listing of ") + options.path}, paper.size);
    const double layoutSeconds = seconds(layoutStart);
    const double firstPageMs = firstPageMilliseconds(*document);
    const FindFigures find = findFigures(listing, *document);

    QTemporaryDir tempDir;
    const QString pdfFile
        = args.pdfFile.isEmpty() ? tempDir.filePath(QStringLiteral("preview-bench.pdf")) : args.pdfFile;
    const auto pdfStart = Clock::now();
    ListingExport::savePdf(*document, pdfFile);
    const PdfFigures ours{seconds(pdfStart), document->pageCount(), QFileInfo(pdfFile).size()};

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("rows: %lld\n", static_cast<long long>(listing.rows.size()));
    std::printf("pages: %d\n", ours.pages);
    std::printf("build_s: %.3f\n", buildSeconds);
    std::printf("layout_s: %.3f\n", layoutSeconds);
    std::printf("first_page_ms: %.1f\n", firstPageMs);
    std::printf("find_index_ms: %.1f\n", find.indexMs);
    std::printf("find_step_ms: %.1f\n", find.stepMs);
    std::printf("find_place_ms: %.2f\n", find.placeMs);
    std::printf("pdf_s: %.3f\n", ours.seconds);
    std::printf("pdf_pages_per_s: %.0f\n", ours.pages / ours.seconds);
    std::printf("pdf_bytes_per_page: %.0f\n", double(ours.bytes) / ours.pages);
    std::printf("peak_rss_mb: %.1f\n", usage.ru_maxrss / 1024.0);
    std::fflush(stdout);
    if (!args.pdfFile.isEmpty())
        printYardstick(listing, *document, ours);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Arguments args;
    if (!parse(argc, argv, args))
        return usage();
    try {
        return run(args);
    } catch (const std::exception &error) {
        // The file-system and print errors carry their whole message in what().
        std::fprintf(stderr, "preview-bench: %s\n", error.what());
        return 1;
    }
}
