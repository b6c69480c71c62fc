#include "print/GridStyle.h"

#include "print/PreviewDocument.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace {

struct GridInfo
{
    GridStyle style;
    const char *name;
    const char *word;
    int flags;
};

using Flag = PreviewDocument::GridFlag;

// The one table: the list's items, the command line's words, the lines drawn.
const GridInfo kGrids[] = {
    {GridStyle::None, QT_TRANSLATE_NOOP("GridStyle", "None"), "none", 0},
    {GridStyle::Rows, QT_TRANSLATE_NOOP("GridStyle", "Rows"), "rows", Flag::GridBetweenRows},
    {GridStyle::TopBottom, QT_TRANSLATE_NOOP("GridStyle", "Top & Bottom"), "top-bottom",
     Flag::GridTop | Flag::GridBottom},
    {GridStyle::All, QT_TRANSLATE_NOOP("GridStyle", "All"), "all", Flag::GridTop | Flag::GridBottom | Flag::GridInner},
};

const GridInfo &info(GridStyle style)
{
    return kGrids[GridStyles::position(style)];
}

} // namespace

namespace GridStyles {

std::optional<GridStyle> atPosition(int position)
{
    if (position < 0 || position >= int(std::size(kGrids)))
        return std::nullopt;
    return kGrids[position].style;
}

int position(GridStyle style)
{
    return int(style);
}

QString itemText(GridStyle style)
{
    return QCoreApplication::translate("GridStyle", info(style).name);
}

QLatin1StringView name(GridStyle style)
{
    return QLatin1StringView(info(style).name);
}

QLatin1StringView word(GridStyle style)
{
    return QLatin1StringView(info(style).word);
}

std::optional<GridStyle> fromWord(QStringView text)
{
    const auto found = std::find_if(std::begin(kGrids), std::end(kGrids), [text](const GridInfo &grid) {
        return text.compare(QLatin1StringView(grid.word), Qt::CaseInsensitive) == 0;
    });
    return found == std::end(kGrids) ? std::nullopt : std::optional(found->style);
}

int documentFlags(GridStyle style)
{
    return info(style).flags;
}

} // namespace GridStyles
