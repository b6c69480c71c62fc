#include "clipboard/ClipboardExport.h"

#include <QClipboard>

namespace {

QString rewriteLone(const QString &typed, QChar mark)
{
    if (typed.size() == 1 && typed.front() == mark)
        return QStringLiteral("'") + mark;
    return typed;
}

bool needsQuotes(QStringView cell)
{
    for (QChar c : cell) {
        if (c == u'\t' || c == u'\r' || c == u'\n' || c == u'"')
            return true;
    }
    return false;
}

} // namespace

QString clipboardDirIndicator(const QString &typed)
{
    return rewriteLone(typed, u'+');
}

QString clipboardFileIndicator(const QString &typed)
{
    return rewriteLone(typed, u'-');
}

QString clipboardCell(QStringView cell)
{
    if (!needsQuotes(cell))
        return cell.toString();
    QString quoted;
    quoted.reserve(cell.size() + 2);
    quoted += u'"';
    for (QChar c : cell) {
        if (c == u'"')
            quoted += u'"';
        quoted += c;
    }
    quoted += u'"';
    return quoted;
}

QString clipboardText(const QString &title, const ListingText &listing)
{
    const QString &c = listing.columnSeparator;
    const QString &r = listing.rowSeparator;
    const int columns = listing.columnCount();

    QString text;
    text.reserve(title.size() + 2 + listing.ListHeader.size() + listing.ListBody.size());
    text += title;
    text += QStringLiteral("\r\n");
    text += listing.ListHeader;
    // The body opens with a row separator of its own: the empty line under
    // the header row.
    text += r;
    for (const ListingRow &row : listing.rows) {
        for (int column = 0; column < columns; ++column) {
            if (column > 0)
                text += c;
            const QStringView cell = listing.cell(row, column);
            if (needsQuotes(cell))
                text += clipboardCell(cell);
            else
                text += cell;
        }
        text += r;
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
