#pragma once

#include <QLatin1StringView>
#include <QString>

#include <optional>

// The grid lines of the listing's table, in the order the grid list offers
// them (the settings file stores that position).
enum class GridStyle { None, Rows, TopBottom, All };

namespace GridStyles {

// Every style in list order.
inline constexpr GridStyle All[] = {GridStyle::None, GridStyle::Rows, GridStyle::TopBottom, GridStyle::All};

// The style at a position of the grid list; none for -1 (typed text that is
// no item) or any other position.
std::optional<GridStyle> atPosition(int position);
int position(GridStyle style);

// The list's item ("Top & Bottom"), translated.
QString itemText(GridStyle style);
// The English item, as saved listings name the style ("Top & Bottom").
QLatin1StringView name(GridStyle style);
// The command line's word ("top-bottom"), and the style a word names in any letter case.
QLatin1StringView word(GridStyle style);
std::optional<GridStyle> fromWord(QStringView word);

// Which lines the document draws: PreviewDocument::GridFlag bits.
int documentFlags(GridStyle style);

} // namespace GridStyles
