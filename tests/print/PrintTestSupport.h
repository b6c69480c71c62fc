#pragma once

#include "listing/ListingText.h"
#include "print/DocumentOutput.h"
#include "print/PageCanvas.h"
#include "print/PreviewDocument.h"

#include <QFile>
#include <QLineF>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <vector>

// What a tool writes, or why it failed.
inline QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The document as a PDF file, for the tools that read one back.
inline void writePdfFile(const PreviewDocument &document, const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || !DocumentOutput::writePdf(document, file))
        qFatal("cannot write %s", qPrintable(fileName));
}

// A listing as the builder lays it out, from rows of cells, with the default marks.
inline ListingText makeListing(const QList<QStringList> &rows, int columns = 3)
{
    ListingText listing;
    listing.columnSeparator = QStringLiteral("|");
    listing.dirMark = QStringLiteral("+");
    listing.fileMark = QStringLiteral("-");
    listing.headings = QStringList{"Sub-Directories", "Size (KB)", "Date"}.first(columns);
    listing.ListFormat = QStringList{"4000", ">1000", ">1000"}.first(columns).join(u'|') + u';';
    listing.ListBody = QStringLiteral(";");
    for (const QStringList &cells : rows) {
        ListingRow row;
        row.offset = listing.ListBody.size();
        for (int i = 0; i < columns; ++i) {
            row.setCellLength(i, columns, qint32(cells.value(i).size()));
            listing.ListBody += cells.value(i) + (i + 1 < columns ? u'|' : u';');
        }
        listing.rows.append(row);
    }
    return listing;
}

// What paintPage draws on a page, in twips: text runs with pixel size (points x 20) and weight; lines.
struct DrawnPage : PageCanvas
{
    struct Text
    {
        QPointF at;
        QString text;
        int pixelSize;
        bool bold;
        int font;
    };
    std::vector<Text> texts;
    std::vector<QLineF> lines;
    const PreviewDocument &document;

    DrawnPage(const PreviewDocument &doc, int page) : document(doc) { doc.paintPage(*this, page); }
    // The first run of text, or one at (-1, -1) of size 0 when none.
    Text find(QStringView text) const
    {
        const auto it = std::ranges::find_if(texts, [&](const Text &t) { return t.text == text; });
        return it == texts.end() ? Text{{-1, -1}, QString(), 0, false, -1} : *it;
    }

    void drawText(const QPointF &at, QStringView text, int font, qsizetype) override
    {
        const QFont &f = document.font(font).font();
        texts.push_back({at, text.toString(), f.pixelSize(), f.bold(), font});
    }
    void drawLine(const QPointF &from, const QPointF &to, qreal) override { lines.emplace_back(from, to); }
};
