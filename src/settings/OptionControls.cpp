#include "settings/OptionControls.h"

#include "listing/ListingFormat.h"

ListingOptions listingOptionsFrom(const OptionControls &controls)
{
    ListingOptions options;
    options.files = controls.checkValue(OptionCheck::Files) == 1;
    options.sizes = controls.checkValue(OptionCheck::Size) == 1;
    options.dates = controls.checkValue(OptionCheck::Date) == 1;
    options.depth = ListingFormat::depthLevels(controls.depthText());
    options.widths = {ListingFormat::readWidth(controls.optionText(OptionText::DirColWidth)),
                      ListingFormat::readWidth(controls.optionText(OptionText::SizeColWidth)),
                      ListingFormat::readWidth(controls.optionText(OptionText::DateColWidth))};
    options.dirMark = controls.optionText(OptionText::DirMark);
    options.fileMark = controls.optionText(OptionText::FileMark);
    options.choices = controls.listingChoices();
    return options;
}
