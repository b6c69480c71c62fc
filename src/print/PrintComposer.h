#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

struct ListingText;
struct ListingRow;
enum class ListingRowKind : quint8;
struct TextStyle;
class PreviewSurface;

// SendPrintData: composes the listing document on the surface vsp1 and
// styles its rows (folder rows 10 pt, everything else 8 pt).
namespace PrintComposer {

// What the composition reads from the main window, taken when it starts.
struct WindowValues
{
    QString gridText;      // text of cboGrid
    QString pathCaption;   // caption of lblPath
    QString titleText;     // text of txtTitle
    QString dirIndicator;  // the DirIndicator field, as the preview command set it
    QString fileIndicator; // the FileIndicator field
};

// Runs CreatString with these separators and gives back the listing it
// built. Throws what the build throws; the composition lets it through.
using CreatString = std::function<const ListingText &(const QString &cSeperator, const QString &rSeperator)>;

// Shows the hourglass while it runs and puts the pointer back however it
// ends; anything thrown (by the build, or by yield, which runs every few
// rows of the table's layout) passes to the caller, and the surface gets
// its earlier document back. The page label follows the surface's
// shownPageChanged.
void SendPrintData(PreviewSurface &vsp1, const WindowValues &window, const CreatString &creatString,
                   const std::function<void()> &yield = {});

// The grid style a cboGrid text selects; no value for a text that matches
// none (the surface then keeps its style).
std::optional<int> gridStyleFor(const QString &gridText);

// The style of one table row: 10 pt when its first character after leading
// spaces equals the whole directory indicator, else 8 pt.
void vsp1_BeforeTableText(QStringView text, QStringView dirIndicator, TextStyle &style);

// Where the name begins in a row's first cell (indentation, the row's mark,
// one or two blanks, the name), from the row's kind and level and the two
// marks. A cell that does not read so (not built with these marks) has no
// name told apart: its end.
qsizetype nameStart(QStringView firstCell, const ListingRow &row, QStringView dirIndicator, QStringView fileIndicator);

// When the listing's columns reach past the right margin of vsp1's paper:
// one message naming every column's width and the room there is, and the
// columns cut at the paper's edge or lying beyond it. Empty when they fit.
QString widthWarning(const PreviewSurface &vsp1, const ListingText &listing);

// "Page 1 of 3"; "Page:" while no page shows.
QString pageLabel(int shownPage, int pageTotal);

} // namespace PrintComposer
