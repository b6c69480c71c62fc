#include "print/DocumentOutput.h"

#include "print/PageCanvas.h"
#include "print/PdfWriter.h"
#include "print/PreviewDocument.h"
#include "print/PrintError.h"
#include "print/PrintServer.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

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

// A temporary file without a name, so that nothing is left however the
// program ends; false with errno set when there is none.
bool openNameless(QFile &file)
{
    const QByteArray folder = QFile::encodeName(QDir::tempPath());
    int fd = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
        // A file system without O_TMPFILE: named for a moment only.
        QByteArray name = folder + "/foliotrace-XXXXXX";
        fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd >= 0)
            ::unlink(name.constData());
    }
    if (fd < 0)
        return false;
    if (!file.open(fd, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

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
    requirePages(document, QT_TR_NOOP("There is no document to print."));
    const auto tell = [&progress](const QString &status) {
        if (progress)
            progress(status);
    };
    // Asked first, so that a missing printer is told before the work of the PDF.
    const QByteArray queue
        = PrintServer(s_serverSilenceLimit,
                      [&tell] { tell(tr("Waiting for the print server %1\u2026").arg(PrintServer::name())); })
              .defaultQueue()
              .name;
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
    }).print(queue, pdf, title(document).toUtf8());
}
