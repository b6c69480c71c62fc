#include "print/PrintComposer.h"
#include "print/WaitCursor.h"

#include "listing/ListingFormat.h"
#include "listing/ListingText.h"
#include "print/PreviewSurface.h"
#include "print/TableText.h"

#include <QCoreApplication>
#include <QDate>

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace PrintComposer {

namespace {

qint32 toInt32(double value)
{
    const double rounded = std::nearbyint(value); // halves to even in the default mode
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<qint32>::min()
        || rounded > std::numeric_limits<qint32>::max())
        throw std::overflow_error("table setup value out of range");
    return qint32(rounded);
}

} // namespace

std::optional<int> gridStyleFor(const QString &gridText)
{
    if (gridText == QLatin1String("None"))
        return 0;
    if (gridText == QLatin1String("Rows"))
        return 8;
    if (gridText == QLatin1String("Top & Bottom"))
        return 3;
    if (gridText == QLatin1String("All"))
        return 7;
    return std::nullopt;
}

void vsp1_BeforeTableText(QStringView text, QStringView dirIndicator, TextStyle &style)
{
    // Spaces only: QStringView::trimmed() would also strip a tab or a
    // no-break space that the user chose as the mark.
    qsizetype first = 0;
    while (first < text.size() && text[first] == u' ')
        ++first;
    const QStringView mark = text.mid(first, 1); // empty when nothing but spaces
    style.pointSize = mark == dirIndicator ? 10 : 8;
}

qsizetype nameStart(QStringView firstCell, const ListingRow &row, QStringView dirIndicator, QStringView fileIndicator)
{
    const bool folder = row.kind == ListingRowKind::Folder;
    const QStringView mark = folder ? dirIndicator : fileIndicator;
    const qsizetype indent = ListingFormat::indentOf(row.kind, row.level);
    const qsizetype start = indent + mark.size() + (folder ? 1 : 2);
    if (indent >= 0 && start <= firstCell.size() && firstCell.sliced(indent).startsWith(mark))
        return start;
    return firstCell.size();
}

QString pageLabel(int shownPage, int pageTotal)
{
    if (shownPage < 1)
        return QCoreApplication::translate("PrintComposer", "Page:");
    return QCoreApplication::translate("PrintComposer", "Page %1 of %2").arg(shownPage).arg(pageTotal);
}

QString widthWarning(const PreviewSurface &vsp1, const ListingText &listing)
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("PrintComposer", text); };
    const QList<TableText::ColumnSpec> columns = TableText::parseColumnFormat(listing.ListFormat);
    const QStringList typed = listing.ListFormat.section(u';', 0, 0).remove(u'>').split(u'|');
    // From the table's left edge to the right margin.
    const qreal room = vsp1.document().pageSizeTwips().width() - PreviewDocument::Margin - vsp1.TableSetupTarget();
    QStringList widths, cut, beyond;
    qreal left = 0;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const QString heading = listing.headings.value(c);
        const QString width = typed.value(c);
        widths << heading + u' ' + (width.size() > 12 ? width.first(11) + u'\u2026' : width);
        if (left >= room)
            beyond << heading;
        else if (left + columns[c].width > room)
            cut << heading;
        left += columns[c].width;
    }
    if (cut.isEmpty() && beyond.isEmpty())
        return {};
    QString text = tr("The columns are wider than the paper: %1 twips, where there is room for %L2 between "
                      "the margins.")
                       .arg(widths.join(QStringLiteral(", ")))
                       .arg(qRound(std::max<qreal>(room, 0)));
    if (!cut.isEmpty())
        text += u' ' + tr("Cut at the paper's edge: %1.").arg(cut.join(QStringLiteral(", ")));
    if (!beyond.isEmpty())
        text += u' ' + tr("Beyond it, and not shown: %1.").arg(beyond.join(QStringLiteral(", ")));
    return text + u' ' + tr("Narrower widths bring them onto the page.");
}

namespace {

// What the build could not read, under the table; nothing when all was read.
void appendReport(PreviewSurface &vsp1, const ListingText &listing)
{
    if (listing.problems.isEmpty())
        return;
    vsp1.TextBold(true);
    vsp1.TextPointSize(10);
    vsp1.AppendParagraph(QCoreApplication::translate("PrintComposer", "Not read in full"));
    vsp1.TextBold(false);
    vsp1.TextPointSize(8);
    vsp1.AppendParagraph(ListingFormat::problemLines(listing).join(u'\n'));
}

void compose(PreviewSurface &vsp1, const WindowValues &window, const CreatString &creatString,
             const std::function<void()> &yield)
{
    vsp1.PreviewMode(true);
    if (const std::optional<int> grid = gridStyleFor(window.gridText))
        vsp1.TableGridStyle(*grid);
    vsp1.TextFontFace(QStringLiteral("Arial"));
    vsp1.BeginDocument();
    // The same four-digit-year date as the title, so one page never mixes two forms.
    vsp1.PageHeaderText(window.pathCaption.toUpper() + QStringLiteral("||")
                        + ListingFormat::shortDateText(QDate::currentDate()));
    vsp1.TextBold(true);
    vsp1.TextPointSize(11);
    vsp1.AppendParagraph(window.titleText);
    vsp1.TextBold(false);
    vsp1.TextPointSize(8);
    vsp1.TableSetupTarget(toInt32(vsp1.TableSetupSource()));
    vsp1.TableSetupValue(1200);

    // The hourglass above stays under whatever the build pushes and pops,
    // so the pointer is the hourglass again the moment the build returns.
    const ListingText &listing = creatString(QStringLiteral("|"), QStringLiteral(";"));

    const QString &dirIndicator = window.dirIndicator;
    const auto rowStyle
        = [&dirIndicator](QStringView text, TextStyle &style) { vsp1_BeforeTableText(text, dirIndicator, style); };
    // Kept by the document for painting: its own copy of the mark.
    const auto nameAt = [dir = dirIndicator, file = window.fileIndicator](const ListingRow &row, QStringView cell) {
        return nameStart(cell, row, dir, file);
    };
    vsp1.AppendTable(listing, rowStyle, nameAt, yield);
    appendReport(vsp1, listing);
    vsp1.PageFooterText(QStringLiteral("||") + QCoreApplication::translate("PrintComposer", "Page %d"));
    vsp1.FinishDocument();
}

} // namespace

void SendPrintData(PreviewSurface &vsp1, const WindowValues &window, const CreatString &creatString,
                   const std::function<void()> &yield)
{
    WaitCursor hourglass;
    try {
        compose(vsp1, window, creatString, yield);
    } catch (...) {
        // A cancelled or failed composition leaves nothing half-built on
        // the surface: the earlier document comes back with its page.
        vsp1.RestorePreviousDocument();
        throw;
    }
}

} // namespace PrintComposer
