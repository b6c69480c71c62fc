#include "clipboard/ClipboardExport.h"

#include "listing/ListingFormat.h"

#include <QClipboard>

#include <algorithm>

namespace {

QString rewriteLone(const QString &typed, QChar mark)
{
    if (typed.size() == 1 && typed.front() == mark)
        return QStringLiteral("'") + mark;
    return typed;
}

// Appends cell in the spreadsheet convention; a plain cell goes in as it
// stands, with no copy made on the way.
void appendCell(QString &text, QStringView cell)
{
    const auto special = [](QChar c) { return c == u'\t' || c == u'\r' || c == u'\n' || c == u'"'; };
    const bool guarded = startsLikeFormula(cell);
    if (std::none_of(cell.begin(), cell.end(), special)) {
        if (guarded)
            text += u'\'';
        text += cell;
        return;
    }
    text += u'"';
    if (guarded)
        text += u'\'';
    for (QChar c : cell) {
        if (c == u'"')
            text += u'"';
        text += c;
    }
    text += u'"';
}

} // namespace

bool startsLikeFormula(QStringView cell)
{
    // White space first does not help: spreadsheets trim it before they
    // look, a line feed or an ideographic space as well as a blank.
    for (QChar c : cell) {
        switch (c.unicode()) {
        case u'=':
        case u'+':
        case u'-':
        case u'@':
        case u'\t':
        case u'\r':
            return true;
        default:
            if (!c.isSpace())
                return false;
        }
    }
    return false;
}

QString formulaSafeCell(QStringView cell)
{
    return startsLikeFormula(cell) ? u'\'' + cell.toString() : cell.toString();
}

QString clipboardDirMark(const QString &typed)
{
    return rewriteLone(typed, u'+');
}

QString clipboardFileMark(const QString &typed)
{
    return rewriteLone(typed, u'-');
}

QString clipboardCell(QStringView cell)
{
    QString text;
    appendCell(text, cell);
    return text;
}

QString clipboardText(const QString &title, const ListingText &listing)
{
    const QString &c = listing.columnSeparator;
    const QString &r = listing.rowSeparator;
    const int columns = listing.columnCount();

    QString text;
    text.reserve(title.size() + 2 + listing.ListHeader.size() + listing.ListBody.size());
    // The title is a cell like any other: a tab or a line break in a folder
    // name must not open more columns or rows.
    appendCell(text, title);
    text += QStringLiteral("\r\n");
    text += listing.ListHeader;
    // The body opens with a row separator of its own: the empty line under
    // the header row.
    text += r;
    for (const ListingRow &row : listing.rows) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                text += c;
            appendCell(text, listing.cell(row, column));
        }
        text += r;
    }
    // What the build could not read: an empty line, then a line each.
    if (!listing.problems.isEmpty()) {
        text += r;
        for (const QString &line : ListingFormat::problemLines(listing)) {
            appendCell(text, line);
            text += r;
        }
    }
    return text;
}

void putOnClipboard(const QString &text, QClipboard *clipboard)
{
    if (!clipboard)
        return;
    clipboard->clear();
    clipboard->setText(text);
}
