#include "app/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

FindBar::FindBar(QWidget *parent) : QWidget(parent), m_text(new QLineEdit(this)), m_status(new QLabel(this))
{
    setObjectName(QStringLiteral("findBar"));
    setAutoFillBackground(true);
    // No Alt key: Ctrl+F reaches the field.
    auto *label = new QLabel(tr("Find:"), this);
    m_text->setObjectName(QStringLiteral("findText"));
    m_text->setAccessibleName(tr("Find a name"));
    m_text->setClearButtonEnabled(true);
    m_text->installEventFilter(this);
    m_status->setObjectName(QStringLiteral("findStatus"));
    m_status->setTextFormat(Qt::PlainText);
    auto *closeButton = new QToolButton(this);
    closeButton->setObjectName(QStringLiteral("findClose"));
    closeButton->setAutoRaise(true);
    closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton->setToolTip(tr("Close the find bar (Escape)"));
    closeButton->setAccessibleName(tr("Close the find bar"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(label);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_status);
    layout->addWidget(closeButton);
    hide();

    // Each letter typed looks again from the row found last, which stays while it still matches.
    connect(m_text, &QLineEdit::textEdited, this, [this] { find(m_row - 1, ListingSearch::Direction::Forward); });
    connect(m_text, &QLineEdit::returnPressed, this, [this] { findAgain(ListingSearch::Direction::Forward); });
    connect(closeButton, &QToolButton::clicked, this, &FindBar::close);
}

FindBar::~FindBar() = default;

void FindBar::setSearch(std::shared_ptr<const ListingSearch> search)
{
    m_search = std::move(search);
    m_row = -1;
    m_status->clear();
}

void FindBar::open()
{
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
}

void FindBar::findAgain(ListingSearch::Direction direction)
{
    if (isHidden() || m_text->text().isEmpty())
        return open();
    find(m_row, direction);
}

void FindBar::find(qsizetype from, ListingSearch::Direction direction)
{
    const qsizetype row = m_search ? m_search->find(m_text->text(), from, direction) : -1;
    if (row < 0) {
        m_status->setText(m_text->text().isEmpty() ? QString() : tr("Not found"));
        m_row = -1;
        emit rowFound(-1);
        return;
    }
    m_status->clear();
    m_row = row;
    emit rowFound(row);
}

void FindBar::close()
{
    hide();
    emit closed();
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    // The field keeps Escape and F3 from the window's shortcuts (Escape
    // there leaves the preview).
    if (watched == m_text && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool ours = key->key() == Qt::Key_Escape || key->key() == Qt::Key_F3;
        if (ours && event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (ours) {
            if (key->key() == Qt::Key_Escape)
                close();
            else
                findAgain(key->modifiers() & Qt::ShiftModifier ? ListingSearch::Direction::Backward
                                                               : ListingSearch::Direction::Forward);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
