#pragma once

#include "settings/OptionControls.h"

#include <array>

// The option controls as plain values, for a run without a window: the
// settings store loads into them as into the window's controls. The two
// pickers have nothing to follow, and the path caption stays empty.
class OptionValues : public OptionControls
{
public:
    // The design-time state of the controls, before any load.
    std::array<int, 3> checks{0, 0, 0};
    QString depth = QStringLiteral("1");
    int grid = 0;
    std::array<QString, 5> texts{QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("4000"),
                                 QStringLiteral("1000"), QStringLiteral("1000")};
    ListingChoices choices;

    int checkValue(OptionCheck check) const override { return checks.at(size_t(check)); }
    void setCheckValue(OptionCheck check, int value) override { checks.at(size_t(check)) = value; }
    QString depthText() const override { return depth; }
    void setDepthText(const QString &text) override { depth = text; }
    int gridListIndex() const override { return grid; }
    void setGridListIndex(int index) override { grid = index; }
    QString optionText(OptionText field) const override { return texts.at(size_t(field)); }
    void setOptionText(OptionText field, const QString &text) override { texts.at(size_t(field)) = text; }
    ListingChoices listingChoices() const override { return choices; }
    void setListingChoices(const ListingChoices &chosen) override { choices = chosen; }
    QString pathCaption() const override { return {}; }
    void setFolderListPath(const QString &) override {}
    void setDriveListDrive(const QString &) override {}
};
