#include "help/WebLinkLabel.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

// A plain label is static text to a screen reader: neither announced as a
// link nor pressable.
class WebLinkAccessible : public QAccessibleWidget
{
public:
    explicit WebLinkAccessible(WebLinkLabel *label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text t) const override
    {
        const QString own = QAccessibleWidget::text(t);
        return own.isEmpty() && t == QAccessible::Name ? static_cast<QLabel *>(widget())->text() : own;
    }
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString &actionName) override
    {
        if (actionName == pressAction())
            emit static_cast<WebLinkLabel *>(widget())->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface *webLinkAccessible(const QString &className, QObject *object)
{
    auto *label = qobject_cast<WebLinkLabel *>(object);
    return label && className == QLatin1String("WebLinkLabel") ? new WebLinkAccessible(label) : nullptr;
}

} // namespace

WebLinkLabel::WebLinkLabel(QWidget *parent) : QLabel(parent)
{
    static const bool accessibleAsLink = (QAccessible::installFactory(&webLinkAccessible), true);
    Q_UNUSED(accessibleAsLink);
    setCursor(Qt::WhatsThisCursor);
    setFocusPolicy(Qt::StrongFocus);
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
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

void WebLinkLabel::keyPressEvent(QKeyEvent *event)
{
    // The keys that follow a link in a browser, and press a button.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (modifiers == Qt::NoModifier) {
            if (!event->isAutoRepeat())
                emit clicked();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void WebLinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A label draws no focus of its own; the keyboard user must see where it is.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
