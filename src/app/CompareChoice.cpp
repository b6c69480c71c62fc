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
#include <QPushButton>
#include <QShortcut>

CompareChoice::CompareChoice(QPushButton *chooseButton, QAbstractButton *clearButton, QCheckBox *changesOnly,
                             OptionSet &options, QWidget *window)
    : QObject(window)
    , m_choose(chooseButton)
    , m_clear(clearButton)
    , m_changesOnly(changesOnly)
    , m_options(options)
    , m_window(window)
    , m_folder(QDir::homePath())
{
    connect(m_choose, &QAbstractButton::clicked, this, &CompareChoice::choose);
    connect(m_clear, &QAbstractButton::clicked, this, &CompareChoice::clear);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), window), &QShortcut::activated, this, [this] {
        if (m_choose->isVisible() && m_choose->isEnabled())
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
    m_choose->setFocus(Qt::OtherFocusReason);
}

void CompareChoice::setShown(bool shown)
{
    for (QWidget *control :
         {static_cast<QWidget *>(m_choose), static_cast<QWidget *>(m_clear), static_cast<QWidget *>(m_changesOnly)})
        control->setVisible(shown);
}

// While one is set the button names the listing and its date.
void CompareChoice::showChoice()
{
    m_clear->setEnabled(bool(m_earlier));
    m_changesOnly->setEnabled(bool(m_earlier));
    if (!m_earlier) {
        m_choose->setText(tr("Compare Wit&h…"));
        m_choose->setToolTip(tr("Compare the folder with a listing saved earlier as JSON (Ctrl+Shift+O)"));
        return;
    }
    const QString name = QFileInfo(m_earlier->fileName).fileName();
    const QString shown = m_earlier->listed.isValid()
                              ? tr("%1 of %2").arg(name, ListingFormat::shortDateText(m_earlier->listed.date()))
                              : name;
    const int room = std::max(m_choose->width() - 16, 40);
    // "&&": the name's own ampersands are no mnemonics.
    QString text = m_choose->fontMetrics().elidedText(shown, Qt::ElideMiddle, room);
    m_choose->setText(text.replace(u'&', QStringLiteral("&&")));
    m_choose->setToolTip(tr("Compared with %1 (Ctrl+Shift+O chooses another)").arg(m_earlier->fileName));
}
