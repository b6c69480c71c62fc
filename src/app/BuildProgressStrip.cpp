#include "app/BuildProgressStrip.h"

#include "app/BuildSession.h"
#include "Twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

BuildProgressStrip::BuildProgressStrip(BuildSession *session, QWidget *parent)
    : QFrame(parent), m_text(new QLabel(this)), m_escape(new QShortcut(QKeySequence(Qt::Key_Escape), parent))
{
    setObjectName(QStringLiteral("buildProgress"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_text->setObjectName(QStringLiteral("buildProgressText"));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setMinimumWidth(1);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("buildCancel"));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(cancel);
    hide();

    // On the window, so Escape works wherever the focus is and whether or
    // not the strip is shown yet.
    m_escape->setEnabled(false);

    connect(cancel, &QAbstractButton::clicked, session, &BuildSession::cancel);
    connect(m_escape, &QShortcut::activated, session, &BuildSession::cancel);
    connect(session, &BuildSession::progress, this, &BuildProgressStrip::showProgress);
    connect(session, &BuildSession::progressText, this, &BuildProgressStrip::showText);
    connect(session, &BuildSession::runningChanged, this, &BuildProgressStrip::followRun);
}

BuildProgressStrip::~BuildProgressStrip() = default;

void BuildProgressStrip::placeAbove(const QRect &bar)
{
    const int margin = twipsToPixels(120, logicalDpiX());
    const int height = sizeHint().height();
    setGeometry(margin, bar.top() - height - margin / 2, qMax(1, bar.width() - 2 * margin), height);
}

void BuildProgressStrip::showProgress(qsizetype entries, qsizetype unread, const QString &folder)
{
    const QString shortFolder = m_text->fontMetrics().elidedText(folder, Qt::ElideMiddle, m_text->width() / 2);
    const QString listed = unread > 0 ? tr("%L1 entries listed, %L2 could not be read.").arg(entries).arg(unread)
                                      : tr("%L1 entries listed.").arg(entries);
    // No folder: the walk is over and the pages are being laid out.
    showText(listed + u' ' + (folder.isEmpty() ? tr("Laying out pages") : tr("Reading %1").arg(shortFolder)));
}

void BuildProgressStrip::showText(const QString &text)
{
    m_text->setText(text);
    if (!isVisible()) {
        show();
        raise();
    }
}

void BuildProgressStrip::followRun(bool running)
{
    m_escape->setEnabled(running);
    if (!running)
        hide();
}
