#include "print/DocumentOutput.h"

#include "print/PageCanvas.h"
#include "print/PdfWriter.h"
#include "print/PreviewDocument.h"
#include "print/PrintError.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <vector>

namespace {

void requirePages(const PreviewDocument &document, const char *message)
{
    if (document.pageCount() < 1)
        throw PrintError(PrintError::Cause::NoDocument, DocumentOutput::tr(message));
}

[[noreturn]] void throwWriteFailure(const QString &fileName, const QString &reason)
{
    throw PrintError(PrintError::Cause::OutputFailed, DocumentOutput::tr("Cannot write the file %1: %2.")
                                                           .arg(QDir::toNativeSeparators(fileName), reason));
}

constexpr qreal TwipsPerPoint = 20;

// The document's pages as PDF, in the fonts the layout measured with.
class PdfCanvas : public PageCanvas
{
public:
    PdfCanvas(PdfWriter &writer, const PreviewDocument &document)
        : m_writer(writer)
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
    std::vector<int> m_fonts;      // the writer's font for each of the document's
};

// Writes every page into device as PDF; false when the device refused a write.
bool renderPdf(const PreviewDocument &document, QIODevice &device)
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

void DocumentOutput::sendToDefaultPrinter(const PreviewDocument &document)
{
    requirePages(document, QT_TR_NOOP("There is no document to print."));
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (!dest) {
        throw PrintError(PrintError::Cause::NoDefaultPrinter,
                         tr("There is no default printer (%1).")
                             .arg(QString::fromLocal8Bit(cupsLastErrorString())));
    }
    const QByteArray queue = dest->name;
    cupsFreeDests(1, dest);

    QTemporaryFile pdf(QDir::tempPath() + QStringLiteral("/foliotrace-XXXXXX.pdf"));
    if (!pdf.open())
        throwWriteFailure(pdf.fileTemplate(), pdf.errorString());
    if (!renderPdf(document, pdf) || !pdf.flush())
        throwWriteFailure(pdf.fileName(), pdf.errorString());

    const QByteArray jobTitle = title(document).toUtf8();
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.constData(),
                                   QFile::encodeName(pdf.fileName()).constData(),
                                   jobTitle.constData(), 0, nullptr);
    if (job == 0) {
        const QString reason = QString::fromLocal8Bit(cupsLastErrorString());
        const QString printer = QString::fromLocal8Bit(queue);
        throw PrintError(PrintError::Cause::JobRefused,
                         tr("The printer %1 did not accept the job: %2").arg(printer, reason));
    }
}
