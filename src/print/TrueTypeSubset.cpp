#include "print/TrueTypeSubset.h"

#include <QtEndian>

#include <algorithm>
#include <map>

namespace TrueTypeSubset {

namespace {

quint16 u16(const QByteArray &data, qsizetype at)
{
    if (at < 0 || at + 2 > data.size())
        return 0;
    return qFromBigEndian<quint16>(data.constData() + at);
}

qint16 s16(const QByteArray &data, qsizetype at)
{
    return qint16(u16(data, at));
}

quint32 u32(const QByteArray &data, qsizetype at)
{
    if (at < 0 || at + 4 > data.size())
        return 0;
    return qFromBigEndian<quint32>(data.constData() + at);
}

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToBigEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToBigEndian(v, b);
    out.append(b, 4);
}

quint32 checksum(const QByteArray &table)
{
    quint32 sum = 0;
    QByteArray padded = table;
    while (padded.size() % 4)
        padded.append('\0');
    for (qsizetype i = 0; i < padded.size(); i += 4)
        sum += qFromBigEndian<quint32>(padded.constData() + i);
    return sum;
}

// Where each glyph's outline lies in glyf, from loca.
std::vector<quint32> glyphOffsets(const QRawFont &font, quint16 glyphCount)
{
    const QByteArray loca = font.fontTable("loca");
    const bool longOffsets = s16(font.fontTable("head"), 50) == 1;
    std::vector<quint32> offsets(size_t(glyphCount) + 1, 0);
    for (quint32 g = 0; g <= glyphCount; ++g)
        offsets[g] = longOffsets ? u32(loca, 4 * qsizetype(g)) : 2 * quint32(u16(loca, 2 * qsizetype(g)));
    return offsets;
}

void addComponents(const QByteArray &glyf, quint32 start, quint32 end, quint16 glyphCount, std::set<quint32> &used,
                   std::vector<quint32> &pending)
{
    if (end <= start || end - start < 10 || s16(glyf, start) >= 0)
        return;
    qsizetype at = start + 10;
    for (;;) {
        const quint16 flags = u16(glyf, at);
        const quint16 glyph = u16(glyf, at + 2);
        if (glyph < glyphCount && used.insert(glyph).second)
            pending.push_back(glyph);
        at += 4 + ((flags & 0x1) ? 4 : 2);
        if (flags & 0x8)
            at += 2;
        else if (flags & 0x40)
            at += 4;
        else if (flags & 0x80)
            at += 8;
        if (!(flags & 0x20) || at >= qsizetype(end))
            break;
    }
}

// glyf with only the used outlines (4-byte aligned) and a long-offset loca for it.
void keptGlyphs(const QByteArray &glyf, const std::vector<quint32> &offsets, const std::set<quint32> &used,
                QByteArray &newGlyf, QByteArray &newLoca)
{
    const quint32 glyphCount = quint32(offsets.size() - 1);
    for (quint32 g = 0; g < glyphCount; ++g) {
        put32(newLoca, quint32(newGlyf.size()));
        if (used.count(g) && offsets[g + 1] > offsets[g] && offsets[g + 1] <= quint32(glyf.size())) {
            newGlyf.append(glyf.constData() + offsets[g], offsets[g + 1] - offsets[g]);
            while (newGlyf.size() % 4)
                newGlyf.append('\0');
        }
    }
    put32(newLoca, quint32(newGlyf.size()));
}

// An sfnt file of these tables, in tag order.
QByteArray assemble(const std::map<QByteArray, QByteArray> &tables)
{
    const quint16 count = quint16(tables.size());
    quint16 power = 1;
    quint16 log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    QByteArray out;
    put32(out, 0x00010000);
    put16(out, count);
    put16(out, quint16(power * 16));
    put16(out, log2);
    put16(out, quint16(count * 16 - power * 16));
    const quint32 offset = 12 + 16 * quint32(count);
    QByteArray body;
    for (const auto &[tag, table] : tables) {
        out.append(tag.leftJustified(4, ' ', true));
        put32(out, checksum(table));
        put32(out, offset + quint32(body.size()));
        put32(out, quint32(table.size()));
        body.append(table);
        while (body.size() % 4)
            body.append('\0');
    }
    out.append(body);
    return out;
}

} // namespace

bool hasTrueTypeOutlines(const QRawFont &font)
{
    return !font.fontTable("glyf").isEmpty() && !font.fontTable("loca").isEmpty() && !font.fontTable("head").isEmpty();
}

std::vector<quint16> advances(const QRawFont &font)
{
    const QByteArray hhea = font.fontTable("hhea");
    const QByteArray hmtx = font.fontTable("hmtx");
    const quint16 glyphCount = u16(font.fontTable("maxp"), 4);
    const quint16 metricsCount = u16(hhea, 34);
    std::vector<quint16> result(glyphCount, 0);
    quint16 last = 0;
    for (quint16 g = 0; g < glyphCount; ++g) {
        if (g < metricsCount)
            last = u16(hmtx, 4 * qsizetype(g));
        result[g] = last;
    }
    return result;
}

Metrics metrics(const QRawFont &font)
{
    const QByteArray head = font.fontTable("head");
    const QByteArray hhea = font.fontTable("hhea");
    Metrics m;
    m.unitsPerEm = std::max<int>(u16(head, 18), 16);
    m.xMin = s16(head, 36);
    m.yMin = s16(head, 38);
    m.xMax = s16(head, 40);
    m.yMax = s16(head, 42);
    m.ascent = s16(hhea, 4);
    m.descent = s16(hhea, 6);
    return m;
}

QByteArray subset(const QRawFont &font, std::set<quint32> &used)
{
    const quint16 glyphCount = u16(font.fontTable("maxp"), 4);
    const QByteArray glyf = font.fontTable("glyf");
    const std::vector<quint32> offsets = glyphOffsets(font, glyphCount);

    used.insert(0);
    std::vector<quint32> pending(used.begin(), used.end());
    while (!pending.empty()) {
        const quint32 g = pending.back();
        pending.pop_back();
        if (g < glyphCount)
            addComponents(glyf, offsets[g], offsets[g + 1], glyphCount, used, pending);
    }

    std::map<QByteArray, QByteArray> tables;
    keptGlyphs(glyf, offsets, used, tables["glyf"], tables["loca"]);
    QByteArray head = font.fontTable("head");
    if (head.size() >= 54) {
        qToBigEndian<quint32>(0, head.data() + 8); // checkSumAdjustment: optional for embedding
        qToBigEndian<qint16>(1, head.data() + 50); // the new loca has long offsets
    }
    tables["head"] = head;
    for (const char *tag : {"hhea", "hmtx", "maxp", "cvt ", "fpgm", "prep"}) {
        const QByteArray table = font.fontTable(tag);
        if (!table.isEmpty())
            tables[QByteArray(tag)] = table;
    }
    return assemble(tables);
}

} // namespace TrueTypeSubset
