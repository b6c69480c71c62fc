#include "export/ExportText.h"

#include "listing/ListingFormat.h"
#include "print/PageCanvas.h"
#include "print/TableText.h"

#include <algorithm>
#include <vector>

#include <locale.h>
#include <wchar.h>

namespace ExportText {

namespace {

// What stands for a control character, so that a name holding a line feed
// or an escape keeps to its row and steers nothing: its picture (U+2400
// on), and the newline symbol for the other line breaks.
char16_t visibleFor(char16_t c)
{
    if (c < 0x20)
        return char16_t(0x2400 + c);
    if (c == 0x7f)
        return 0x2421;
    if (c == 0x85 || c == 0x2028 || c == 0x2029)
        return 0x2424;
    return c;
}

// The columns text takes in a fixed-width font: two for a wide East Asian
// letter, none for a combining mark or a format character. Read from the C
// library's Unicode tables in a UTF-8 locale of this thread's own, whatever
// locale the program runs in.
class DisplayWidth
{
public:
    DisplayWidth() : m_utf8(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr)))
    {
        if (m_utf8)
            m_previous = uselocale(m_utf8);
    }
    ~DisplayWidth()
    {
        if (m_utf8) {
            uselocale(m_previous);
            freelocale(m_utf8);
        }
    }
    DisplayWidth(const DisplayWidth &) = delete;
    DisplayWidth &operator=(const DisplayWidth &) = delete;

    int of(QStringView text) const
    {
        int width = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const char16_t unit = text[i].unicode();
            if (unit >= 0x20 && unit < 0x7f) {
                ++width;
                continue;
            }
            char32_t c = unit;
            if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                c = QChar::surrogateToUcs4(unit, text[++i].unicode());
            width += character(c);
        }
        return width;
    }

private:
    int character(char32_t c) const
    {
        if (c <= 0xffff && visibleFor(char16_t(c)) != c)
            return 1;
        if (m_utf8) {
            const int width = wcwidth(wchar_t(c));
            return width < 0 ? 1 : width;
        }
        // Without the tables: marks and format characters take no room, all else one column.
        const QChar::Category category = QChar::category(c);
        return category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing
                       || category == QChar::Other_Format
                   ? 0
                   : 1;
    }

    locale_t m_utf8;
    locale_t m_previous = nullptr;
};

// Whether a name holds a right-to-left letter or a bidirectional control:
// unisolated, it could reorder the cells beside it.
bool mayReadRightToLeft(QStringView name)
{
    return std::any_of(name.begin(), name.end(), [](QChar c) {
        switch (c.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirAN:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirLRE:
        case QChar::DirLRO:
        case QChar::DirPDF:
        case QChar::DirRLI:
        case QChar::DirLRI:
        case QChar::DirFSI:
        case QChar::DirPDI:
            return true;
        default:
            return false;
        }
    });
}

void appendVisible(QString &out, QStringView text, bool keepLineFeeds = false)
{
    for (QChar c : text)
        out += keepLineFeeds && c == u'\n' ? c : QChar(visibleFor(c.unicode()));
}

// The cells of the listing's table as a line of text, each column as wide as
// its widest cell; a name that may read right to left is isolated, so that
// it reorders nothing but itself.
class Table
{
public:
    explicit Table(const Entries &e) : m_entries(e), m_columns(e.listing.columnCount())
    {
        const QList<TableText::ColumnSpec> format = TableText::parseColumnFormat(e.listing.ListFormat);
        for (int c = 0; c < m_columns; ++c) {
            m_right.push_back(c < format.size() && format[c].rightAligned);
            m_width.push_back(m_display.of(e.listing.headings.value(c)));
        }
        for (qsizetype i = 0; i < e.count(); ++i) {
            for (int c = 0; c < m_columns; ++c)
                m_width[size_t(c)] = std::max(m_width[size_t(c)], m_display.of(e.listing.cell(e.row(i), c)));
        }
    }

    void appendHeading(QString &out) const
    {
        appendLine(
            out, [this](int c) { return QStringView(m_entries.listing.headings.at(c)); }, -1);
    }
    void appendRow(QString &out, qsizetype i) const
    {
        const qsizetype nameStart = mayReadRightToLeft(m_entries.name(i)) ? m_entries.details(i).nameStart : -1;
        appendLine(
            out, [this, i](int c) { return m_entries.listing.cell(m_entries.row(i), c); }, nameStart);
    }

private:
    template<typename Cell>
    void appendLine(QString &out, Cell cell, qsizetype isolateFrom) const
    {
        for (int c = 0; c < m_columns; ++c) {
            const QStringView text = cell(c);
            const int blanks = m_width[size_t(c)] - m_display.of(text);
            if (c > 0)
                out += u"  ";
            if (m_right[size_t(c)])
                ListingFormat::appendBlanks(out, blanks);
            if (c == 0 && isolateFrom >= 0)
                appendVisible(out, isolatedText(text, isolateFrom));
            else
                appendVisible(out, text);
            if (!m_right[size_t(c)] && c + 1 < m_columns)
                ListingFormat::appendBlanks(out, blanks);
        }
        out += u'\n';
    }

    const Entries &m_entries;
    const int m_columns;
    DisplayWidth m_display;
    std::vector<bool> m_right;
    std::vector<int> m_width;
};

} // namespace

void writeReadableText(const ListingExport::Request &request, const Entries &e, Sink &sink)
{
    QString &out = sink.text();
    appendVisible(out, request.page.title, true);
    out += u"\n\n";
    // A listing's filters, once it can have any, are named on a line here.
    if (e.listing.changes) {
        appendVisible(out, e.listing.changes->line, true);
        out += u"\n\n";
    }
    const Table table(e);
    table.appendHeading(out);
    for (qsizetype i = 0; i < e.count(); ++i) {
        table.appendRow(out, i);
        sink.rowDone();
    }
    if (e.listing.totals.shown) {
        out += u'\n';
        appendVisible(out, e.listing.totals.line);
        out += u'\n';
    }
    if (e.listing.problems.isEmpty())
        return;
    out += u'\n';
    out += ListingExport::tr("Not read in full");
    out += u'\n';
    for (const QString &line : ListingFormat::problemLines(e.listing)) {
        appendVisible(out, line);
        out += u'\n';
        sink.rowDone();
    }
}

} // namespace ExportText
