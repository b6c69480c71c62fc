#pragma once

#include "listing/ListingOptions.h"
#include "print/ListingExport.h"
#include "settings/OptionControls.h"

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

    // One reading of the options for a build, the indicators left at their
    // defaults (the command sets them).
    ListingOptions listingOptions() const;
    // The same with the marks as typed, the title and the grid, for a file.
    ListingExport::Request exportRequest(ListingExport::Format format) const;

    int checkValue(OptionCheck check) const override;
    void setCheckValue(OptionCheck check, int value) override;
    QString depthText() const override;
    void setDepthText(const QString &text) override;
    int gridListIndex() const override;
    void setGridListIndex(int index) override;
    QString optionText(OptionText field) const override;
    void setOptionText(OptionText field, const QString &text) override;
    QString pathCaption() const override;
    void setFolderListPath(const QString &path) override;
    void setDriveListDrive(const QString &path) override;

private:
    Ui::frmMain *m_ui;
};
