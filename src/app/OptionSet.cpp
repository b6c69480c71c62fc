#include "app/OptionSet.h"
#include "ui_frmMain.h"

#include "app/OptionWidgets.h"

#include <array>

namespace {

QCheckBox *checkBox(const Ui::frmMain *ui, OptionCheck check)
{
    const std::array boxes{ui->chkFiles, ui->chkSize, ui->chkDate};
    return boxes.at(std::size_t(check));
}

QLineEdit *textBox(const Ui::frmMain *ui, OptionText field)
{
    const std::array edits{ui->txtDirI, ui->txtFileI, ui->txtDirCol, ui->txtSizeCol, ui->txtDateCol};
    return edits.at(std::size_t(field));
}

} // namespace

ListingOptions OptionSet::listingOptions() const
{
    ListingOptions options = listingOptionsFrom(*this);
    options.path = pathCaption();
    // The folder list keeps the exact bytes of a name that is not valid
    // UTF-8; the label's text would lose them.
    if (options.path == m_ui->Dir1->path())
        options.nativePath = m_ui->Dir1->nativePath();
    options.compare = m_earlier;
    options.changesOnly = m_earlier && m_ui->chkChangesOnly->isChecked();
    return options;
}

PageOptions OptionSet::pageOptions() const
{
    return {gridStyleFrom(*this), pathCaption(), m_ui->txtTitle->text(), m_pageSetup};
}

ListingExport::Request OptionSet::exportRequest(ExportFormat format) const
{
    return {format, listingOptions(), pageOptions()};
}

int OptionSet::checkValue(OptionCheck check) const
{
    return ::checkValue(checkBox(m_ui, check));
}

void OptionSet::setCheckValue(OptionCheck check, int value)
{
    ::setCheckValue(checkBox(m_ui, check), value);
}

QString OptionSet::depthText() const
{
    return m_ui->cboLevel->currentText();
}

void OptionSet::setDepthText(const QString &text)
{
    m_ui->cboLevel->setEditText(text);
}

int OptionSet::gridListIndex() const
{
    return comboListIndex(m_ui->cboGrid);
}

void OptionSet::setGridListIndex(int index)
{
    setComboListIndex(m_ui->cboGrid, index);
}

QString OptionSet::optionText(OptionText field) const
{
    return textBox(m_ui, field)->text();
}

void OptionSet::setOptionText(OptionText field, const QString &text)
{
    textBox(m_ui, field)->setText(text);
}

QString OptionSet::pathCaption() const
{
    return m_ui->lblPath->text();
}

void OptionSet::setFolderListPath(const QString &path)
{
    // The caption the list gave: its exact bytes, which the text may not hold.
    if (path == m_ui->Dir1->path())
        m_ui->Dir1->setNativePath(m_ui->Dir1->nativePath());
    else
        m_ui->Dir1->setPath(path);
}

void OptionSet::setDriveListDrive(const QString &path)
{
    m_ui->Drive1->setDrive(path);
}

std::optional<GridStyle> gridStyleFrom(const OptionControls &controls)
{
    return GridStyles::atPosition(controls.gridListIndex());
}
