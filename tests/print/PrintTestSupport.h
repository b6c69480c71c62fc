#pragma once

#include "listing/ListingText.h"
#include "print/PreviewDocument.h"

#include <QPaintEngine>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <vector>

// A listing as the builder lays it out, from rows of cells.
inline ListingText makeListing(const QList<QStringList> &rows, int columns = 3)
{
    ListingText listing;
    listing.columnSeparator = QStringLiteral("|");
    listing.headings = QStringList{"Sub-Directories", "Size (KB)", "Date"}.first(columns);
    listing.ListFormat = QStringList{"4000", ">1000", ">1000"}.first(columns).join(u'|') + u';';
    listing.ListBody = QStringLiteral(";");
    for (const QStringList &cells : rows) {
        ListingRow row;
        row.offset = listing.ListBody.size();
        for (int i = 0; i < columns; ++i) {
            row.cellLength[i] = qint32(cells.value(i).size());
            listing.ListBody += cells.value(i) + (i + 1 < columns ? u'|' : u';');
        }
        listing.rows.append(row);
    }
    return listing;
}

// What paintPage draws on a page, in twips: text runs with their font's
// pixel size (points x 20) and weight, and lines.
struct DrawnPage : QPaintDevice, QPaintEngine
{
    struct Text
    {
        QPointF at;
        QString text;
        int pixelSize;
        bool bold;
    };
    std::vector<Text> texts;
    std::vector<QLineF> lines;

    DrawnPage(const PreviewDocument &doc, int page) : QPaintEngine(AllFeatures)
    {
        QPainter painter(this);
        doc.paintPage(painter, page);
    }
    // The first run of text, or one at (-1, -1) of size 0 when none.
    Text find(QStringView text) const
    {
        const auto it = std::ranges::find_if(texts, [&](const Text &t) { return t.text == text; });
        return it == texts.end() ? Text{{-1, -1}, QString(), 0, false} : *it;
    }

    QPaintEngine *paintEngine() const override { return const_cast<DrawnPage *>(this); }
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    Type type() const override { return User; }
    void drawLines(const QLineF *l, int n) override
    {
        for (int i = 0; i < n; ++i)
            lines.push_back(state->transform().map(l[i]));
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        const QFont font = item.font();
        texts.push_back({state->transform().map(p), item.text(), font.pixelSize(), font.bold()});
    }
    // 1440 dots per inch, so that device units are twips; room for any page.
    int metric(PaintDeviceMetric m) const override
    {
        return m == PdmDevicePixelRatio ? 1 : m == PdmDevicePixelRatioScaled ? int(devicePixelRatioFScale())
               : m == PdmDepth ? 32 : m >= PdmDpiX && m <= PdmPhysicalDpiY ? 1440 : 20000;
    }
};
