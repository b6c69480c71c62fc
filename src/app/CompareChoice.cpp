#include "app/CompareChoice.h"

#include "app/OptionSet.h"
#include "app/WaitCursor.h"
#include "app/WindowMessage.h"
#include "export/EarlierListing.h"
#include "listing/ListingFormat.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>

CompareChoice::CompareChoice(QPushButton *button, QCheckBox *changesOnly, OptionSet &options, QWidget *window)
    : QObject(window)
    , m_button(button)
    , m_changesOnly(changesOnly)
    , m_menu(new QMenu(window))
    , m_options(options)
    , m_window(window)
    , m_folder(QDir::homePath())
{
    m_menu->addAction(tr("Choose &Another Listing…"), this, &CompareChoice::choose);
    m_menu->addAction(tr("Compare &No More"), this, &CompareChoice::clear);
    // Without a menu, that is while none is set, a click chooses one.
    connect(m_button, &QAbstractButton::clicked, this, [this] {
        if (!m_earlier)
            choose();
    });
    showChoice();
}

void CompareChoice::choose()
{
    const QString file = QFileDialog::getOpenFileName(m_window, tr("Compare With an Earlier Listing"), m_folder,
                                                      tr("Foliotrace listings (*.json);;All files (*)"));
    if (file.isEmpty())
        return;
    m_folder = QFileInfo(file).absolutePath();
    try {
        WaitCursor hourglass;
        m_earlier = EarlierListing::load(file);
    } catch (const UserError &error) {
        showWindowMessage(m_window, QMessageBox::Warning, error.message());
        return;
    }
    m_options.setComparison(m_earlier);
    showChoice();
}

void CompareChoice::clear()
{
    m_earlier.reset();
    m_options.setComparison(nullptr);
    showChoice();
    m_button->setFocus(Qt::OtherFocusReason);
}

void CompareChoice::setShown(bool shown)
{
    m_button->setVisible(shown);
    m_changesOnly->setVisible(shown);
}

// While one is set the button names the listing and its date.
void CompareChoice::showChoice()
{
    m_changesOnly->setEnabled(bool(m_earlier));
    m_button->setMenu(m_earlier ? m_menu : nullptr);
    if (!m_earlier) {
        m_button->setText(tr("Compare With…"));
        m_button->setToolTip(tr("Compare the folder with a listing saved earlier as JSON (Ctrl+Shift+O)"));
    } else {
        const QString name = QFileInfo(m_earlier->fileName).fileName();
        const QString shown = m_earlier->listed.isValid()
                                  ? tr("%1 of %2").arg(name, ListingFormat::shortDateText(m_earlier->listed.date()))
                                  : name;
        const int room = std::max(m_button->width() - 32, 40); // the menu's arrow takes some
        QString text = m_button->fontMetrics().elidedText(shown, Qt::ElideMiddle, room);
        // "&&": the name's own ampersands are no mnemonics.
        m_button->setText(text.replace(u'&', QStringLiteral("&&")));
        m_button->setToolTip(tr("Compared with %1 (Ctrl+Shift+O: another, or none)").arg(m_earlier->fileName));
    }
    // No letter of "Compare With…" is free: its key is this one, set again after every text.
    m_button->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
}
