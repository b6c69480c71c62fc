#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QStyle>
#include <QTest>

// A form as the user sees it: no caption cut off, and no control's text or
// body running into a sibling's. Checked on the shown form, at the screen's
// resolution and with the fonts actually installed.
namespace FormChecks {

// Where a control draws: a label's text where its alignment puts it (the
// rest of a label's box is empty), any other control's whole box.
inline QRect drawnRect(const QWidget *control)
{
    const auto *label = qobject_cast<const QLabel *>(control);
    if (!label || label->text().isEmpty())
        return control->geometry();
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text()).translated(label->pos());
}

// Wider (or, wrapped, taller) than its box: cut off on screen.
inline bool captionCut(const QWidget *control)
{
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        const QRect text = drawnRect(label).translated(-label->pos());
        return label->wordWrap() ? text.height() > label->contentsRect().height()
                                 : text.width() > label->contentsRect().width();
    }
    if (qobject_cast<const QCheckBox *>(control))
        return control->sizeHint().width() > control->width();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->fontMetrics().horizontalAdvance(button->text()) > button->contentsRect().width();
    return false;
}

// The named, visible controls of parent; fixedText names the ones whose
// text the program changes at will (a path, a page number).
inline void verifyLayout(const QWidget *parent, const QStringList &fixedText = {})
{
    QList<QWidget *> controls;
    for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible() && !child->isWindow() && !child->objectName().isEmpty())
            controls.append(child);
    }
    QVERIFY(controls.size() > 2);
    for (const QWidget *control : controls) {
        QVERIFY2(parent->rect().contains(drawnRect(control)), qPrintable(control->objectName()));
        if (!fixedText.contains(control->objectName()))
            QVERIFY2(!captionCut(control), qPrintable(control->objectName() + QStringLiteral(" is cut off")));
        // Buttons drawn edge to edge may share a pixel or two.
        for (const QWidget *other : controls) {
            const QRect shared = drawnRect(control).intersected(drawnRect(other));
            QVERIFY2(other == control || qMin(shared.width(), shared.height()) <= 2,
                     qPrintable(control->objectName() + QStringLiteral(" runs into ") + other->objectName()));
        }
        if (control->metaObject() == &QWidget::staticMetaObject)
            verifyLayout(control, fixedText);
    }
}

} // namespace FormChecks
