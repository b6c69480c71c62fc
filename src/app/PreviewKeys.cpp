#include "app/PreviewKeys.h"

#include "app/FindBar.h"
#include "app/PreviewSurface.h"

#include <QInputDialog>
#include <QShortcut>

PreviewKeys::PreviewKeys(PreviewSurface *surface, QWidget *window)
    : QObject(window), m_surface(surface), m_window(window)
{
    connect(add(QKeySequence(Qt::Key_Escape)), &QShortcut::activated, this, &PreviewKeys::leaveRequested);
    const auto first = [this] { m_surface->setShownPage(1); };
    const auto last = [this] { m_surface->setShownPage(m_surface->pageTotal()); };
    connect(add(QKeySequence(Qt::Key_Home)), &QShortcut::activated, this, first);
    connect(add(QKeySequence(Qt::CTRL | Qt::Key_Home)), &QShortcut::activated, this, first);
    connect(add(QKeySequence(Qt::Key_End)), &QShortcut::activated, this, last);
    connect(add(QKeySequence(Qt::CTRL | Qt::Key_End)), &QShortcut::activated, this, last);
    connect(add(QKeySequence(Qt::CTRL | Qt::Key_G)), &QShortcut::activated, this, &PreviewKeys::goToPage);
    FindBar *find = surface->findBar();
    connect(add(QKeySequence::Find), &QShortcut::activated, find, &FindBar::open);
    connect(add(QKeySequence(Qt::Key_F3)), &QShortcut::activated, find,
            [find] { find->findAgain(ListingSearch::Direction::Forward); });
    connect(add(QKeySequence(Qt::SHIFT | Qt::Key_F3)), &QShortcut::activated, find,
            [find] { find->findAgain(ListingSearch::Direction::Backward); });
    setActive(false);
}

PreviewKeys::~PreviewKeys() = default;

QShortcut *PreviewKeys::add(const QKeySequence &key)
{
    auto *shortcut = new QShortcut(key, m_window);
    m_keys.append(shortcut);
    return shortcut;
}

void PreviewKeys::setActive(bool active)
{
    for (QShortcut *key : std::as_const(m_keys))
        key->setEnabled(active);
    if (!active)
        m_surface->findBar()->hide();
}

void PreviewKeys::goToPage()
{
    const int total = m_surface->pageTotal();
    if (total < 1)
        return;
    QInputDialog dialog(m_window);
    dialog.setObjectName(QStringLiteral("goToPage"));
    dialog.setWindowTitle(tr("Go to Page"));
    dialog.setLabelText(tr("&Page (1 to %L1):").arg(total));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, total);
    dialog.setIntValue(m_surface->shownPage());
    if (dialog.exec() == QDialog::Accepted)
        m_surface->setShownPage(dialog.intValue());
}
