#pragma once

#include "export/ListingExport.h"
#include "listing/ListingOptions.h"
#include "print/GridStyle.h"
#include "settings/OptionControls.h"

#include <optional>

namespace Ui {
class frmMain;
}

// The option set: the main window's option controls, read and set the way
// the settings store and a listing build need them. The values stay in the
// controls; this only knows which control holds which value.
class OptionSet : public OptionControls
{
public:
    // ui must outlive the option set.
    explicit OptionSet(Ui::frmMain *ui) : m_ui(ui) {}

    // One reading of the options for a build of the selected folder, the
    // marks as typed (a command may set its own).
    ListingOptions listingOptions() const;
    // The grid, the path, the title and the page setup, for the document.
    PageOptions pageOptions() const;
    // What Page Setup… chose last (or the settings file held).
    const PageSetup &pageSetup() const { return m_pageSetup; }
    void setPageSetup(const PageSetup &setup) { m_pageSetup = setup; }
    // Both, for a file.
    ListingExport::Request exportRequest(ExportFormat format) const;

    int checkValue(OptionCheck check) const override;
    void setCheckValue(OptionCheck check, int value) override;
    QString depthText() const override;
    void setDepthText(const QString &text) override;
    int gridListIndex() const override;
    void setGridListIndex(int index) override;
    QString optionText(OptionText field) const override;
    void setOptionText(OptionText field, const QString &text) override;
    ListingChoices listingChoices() const override { return m_choices; }
    void setListingChoices(const ListingChoices &choices) override { m_choices = choices; }
    // The earlier listing the next builds are compared with; none for a plain listing.
    void setComparison(std::shared_ptr<const ComparedListing> earlier) { m_earlier = std::move(earlier); }
    QString pathCaption() const override;
    void setFolderListPath(const QString &path) override;
    void setDriveListDrive(const QString &path) override;

private:
    Ui::frmMain *m_ui;
    ListingChoices m_choices; // the "Listing Options" dialog's, as last accepted or loaded
    PageSetup m_pageSetup;
    std::shared_ptr<const ComparedListing> m_earlier;
};

// The grid style the grid field names; none for typed text that is no item.
std::optional<GridStyle> gridStyleFrom(const OptionControls &controls);
