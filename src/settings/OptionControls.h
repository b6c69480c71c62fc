#pragma once

#include "listing/ListingOptions.h"

#include <QString>
#include <Qt>

// The option controls as the settings store sees them. The main window
// implements this over its own widgets; the store never touches a widget.
//
// Check states use the stored numbering: 0 off, 1 on, 2 grayed. Qt numbers
// them differently (Qt::PartiallyChecked is 1), so convert with the two
// helpers below rather than casting.

enum class OptionCheck { Files, Size, Date };

enum class OptionText { DirMark, FileMark, DirColWidth, SizeColWidth, DateColWidth };

class OptionControls
{
public:
    virtual ~OptionControls() = default;

    // chkFiles, chkSize, chkDate: 0, 1 or 2. The store only ever sets those three.
    virtual int checkValue(OptionCheck check) const = 0;
    virtual void setCheckValue(OptionCheck check, int value) = 0;

    // cboLevel's text, typed or chosen; set unchanged.
    virtual QString depthText() const = 0;
    virtual void setDepthText(const QString &text) = 0;

    // cboGrid's position, -1 when its text is no list item. Setting -1
    // clears the selection and empties the field; the store only sets -1..3.
    virtual int gridListIndex() const = 0;
    virtual void setGridListIndex(int index) = 0;

    // txtDirI, txtFileI, txtDirCol, txtSizeCol, txtDateCol.
    virtual QString optionText(OptionText field) const = 0;
    virtual void setOptionText(OptionText field, const QString &text) = 0;

    // The "Listing Options" dialog's choices, which the window keeps as values.
    virtual ListingChoices listingChoices() const = 0;
    virtual void setListingChoices(const ListingChoices &choices) = 0;

    // Second step of the load: lblPath's caption, then Dir1 and Drive1
    // pointed at it. Both setters run the window's change handlers.
    virtual QString pathCaption() const = 0;
    virtual void setFolderListPath(const QString &path) = 0;
    virtual void setDriveListDrive(const QString &path) = 0;
};

// The options the controls hold (the window's, or the stored ones the
// command line reads), typed once for a build: a switch is on when its
// check state is 1, the depth is a number of levels, the widths numbers,
// the marks as typed, the choices as kept. No folder.
ListingOptions listingOptionsFrom(const OptionControls &controls);

inline int checkValueFromState(Qt::CheckState state)
{
    switch (state) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    }
    return 0;
}

// Values outside 0..2 never reach here from the store; they read as off.
inline Qt::CheckState checkStateFromValue(int value)
{
    switch (value) {
    case 1:
        return Qt::Checked;
    case 2:
        return Qt::PartiallyChecked;
    default:
        return Qt::Unchecked;
    }
}
