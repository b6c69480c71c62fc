#include "print/DocumentOutput.h"

#include "print/PageCanvas.h"
#include "print/PdfWriter.h"
#include "print/PreviewDocument.h"
#include "print/PrintError.h"
#include "print/PrintServer.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryFile>

#include <vector>

namespace {

void requirePages(const PreviewDocument &document, const char *message)
{
    if (document.pageCount() < 1)
        throw PrintError(PrintError::Cause::NoDocument, DocumentOutput::tr(message));
}

[[noreturn]] void throwWriteFailure(const QString &fileName, const QString &reason)
{
    throw PrintError(
        PrintError::Cause::OutputFailed,
        DocumentOutput::tr("Cannot write the file %1: %2.").arg(QDir::toNativeSeparators(fileName), reason));
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

} // namespace

QString DocumentOutput::title(const PreviewDocument &document)
{
    const QString text = document.title().simplified();
    return text.isEmpty() ? QStringLiteral("Foliotrace") : text;
}

void DocumentOutput::writePdf(const PreviewDocument &document, const QString &fileName)
{
    requirePages(document, QT_TR_NOOP("There is no document to save."));
    // Destroyed without commit(), the save file removes what it wrote.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throwWriteFailure(fileName, file.errorString());
    const bool painted = renderPdf(document, file);
    if (file.error() != QFileDevice::NoError)
        throwWriteFailure(fileName, file.errorString());
    if (!painted)
        throwWriteFailure(fileName, tr("the PDF could not be completed"));
    // Qt 6.4's commit() takes a short last write (a full disk) for success;
    // a flush first fails on it, and a second one gives the system's reason.
    if (!file.flush() && !file.flush())
        throwWriteFailure(fileName, file.errorString());
    if (!file.commit())
        throwWriteFailure(fileName, file.errorString());
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

    QTemporaryFile pdf(QDir::tempPath() + QStringLiteral("/foliotrace-XXXXXX.pdf"));
    if (!pdf.open())
        throwWriteFailure(pdf.fileTemplate(), pdf.errorString());
    const int pages = document.pageCount();
    const bool painted = renderPdf(document, pdf, [&](int page) {
        tell(tr("Preparing page %L1 of %L2 for %3\u2026").arg(page).arg(pages).arg(printer));
    });
    if (!painted || !pdf.flush() || !pdf.seek(0))
        throwWriteFailure(pdf.fileName(), pdf.errorString());

    PrintServer(s_serverSilenceLimit, [&] {
        tell(tr("Sending the document to %1\u2026").arg(printer));
    }).print(queue, pdf, title(document).toUtf8());
}
