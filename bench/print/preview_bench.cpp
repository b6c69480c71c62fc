// Composes the listing of a folder on the preview surface and prints what
// each stage costs: the listing build, the layout, painting the first page
// on screen, writing the whole document as PDF, and the peak memory.

#include "listing/FileSystemObject.h"
#include "listing/ListingBuilder.h"
#include "listing/ListingText.h"
#include "print/DocumentOutput.h"
#include "print/PreviewSurface.h"
#include "print/PrintComposer.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>

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

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    ListingOptions options;
    options.depthText = QStringLiteral("3");
    QString pdfFile;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--depth") && i + 1 < argc)
            options.depthText = QString::fromLocal8Bit(argv[++i]);
        else if (!std::strcmp(argv[i], "--pdf") && i + 1 < argc)
            pdfFile = QString::fromLocal8Bit(argv[++i]);
        else if (argv[i][0] == '-' || !options.path.isEmpty())
            return usage();
        else
            options.path = QFileInfo(QString::fromLocal8Bit(argv[i])).absoluteFilePath();
    }
    if (options.path.isEmpty())
        return usage();

    try {
        const std::unique_ptr<FileSystemObject> fileSystem = createFileSystemObject();
        ListingText listing;
        double buildSeconds = 0;
        // The composition's setup (paper, header, title) is done when the
        // build returns; what follows is the table's layout.
        Clock::time_point buildEnd;
        const PrintComposer::WindowValues window{QStringLiteral("Rows"), options.path,
                                                 QStringLiteral("Listing of ") + options.path,
                                                 options.dirIndicator};
        PreviewSurface vsp1;
        PrintComposer::SendPrintData(vsp1, window, [&](const QString &cSeperator, const QString &rSeperator)
                                         -> const ListingText & {
            const auto start = Clock::now();
            buildListing(options, cSeperator, rSeperator, *fileSystem, listing);
            buildEnd = Clock::now();
            buildSeconds = std::chrono::duration<double>(buildEnd - start).count();
            return listing;
        });
        const double layoutSeconds = seconds(buildEnd);

        const QSizeF twips = vsp1.document().pageSizeTwips();
        QImage screen((twips * (96.0 / 1440)).toSize(), QImage::Format_ARGB32_Premultiplied);
        const auto paintStart = Clock::now();
        screen.fill(Qt::white);
        {
            QPainter painter(&screen);
            vsp1.document().renderPage(painter, 1, QRectF(QPointF(), QSizeF(screen.size())));
        }
        const double firstPageMs = seconds(paintStart) * 1000;

        QTemporaryDir tempDir;
        if (pdfFile.isEmpty())
            pdfFile = tempDir.filePath(QStringLiteral("preview-bench.pdf"));
        const auto pdfStart = Clock::now();
        DocumentOutput::writePdf(vsp1.document(), pdfFile);
        const double pdfSeconds = seconds(pdfStart);

        rusage usage {};
        getrusage(RUSAGE_SELF, &usage);

        std::printf("rows: %lld\n", static_cast<long long>(listing.rows.size()));
        std::printf("pages: %d\n", vsp1.PageTotal());
        std::printf("build_s: %.3f\n", buildSeconds);
        std::printf("layout_s: %.3f\n", layoutSeconds);
        std::printf("first_page_ms: %.1f\n", firstPageMs);
        std::printf("pdf_s: %.3f\n", pdfSeconds);
        std::printf("pdf_pages_per_s: %.0f\n", vsp1.PageTotal() / pdfSeconds);
        std::printf("peak_rss_mb: %.1f\n", usage.ru_maxrss / 1024.0);
    } catch (const std::exception &error) {
        // The file-system and print errors carry their whole message in what().
        std::fprintf(stderr, "preview-bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
