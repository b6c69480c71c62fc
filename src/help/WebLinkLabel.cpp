#include "help/WebLinkLabel.h"

#include <QMouseEvent>

WebLinkLabel::WebLinkLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::WhatsThisCursor);
    setFocusPolicy(Qt::NoFocus);
}

WebLinkLabel::~WebLinkLabel() = default;

void WebLinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void WebLinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and release on the label, like a button's.
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
