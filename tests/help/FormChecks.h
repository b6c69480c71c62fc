#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QTest>

// A shown form as the user sees it, in the fonts installed: no caption cut off, none running into another.
namespace FormChecks {

// A label's text where its alignment puts it; any other control's box.
inline QRect drawnRect(const QWidget *control)
{
    const auto *label = qobject_cast<const QLabel *>(control);
    if (!label || label->text().isEmpty())
        return control->geometry();
    // The "&" that marks an Alt key's letter takes no room on screen.
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0) | Qt::TextShowMnemonic;
    return label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text()).translated(label->pos());
}

// Wider (or, wrapped, taller) than its box: cut off on screen.
inline bool captionCut(const QWidget *control)
{
    const auto *label = qobject_cast<const QLabel *>(control);
    const QSize text = drawnRect(control).size();
    if (label && label->wordWrap())
        return text.height() > label->contentsRect().height();
    if (label)
        return text.width() > label->contentsRect().width();
    if (qobject_cast<const QCheckBox *>(control))
        return control->sizeHint().width() > control->width();
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    return button
           && button->fontMetrics().boundingRect(QRect(), Qt::TextShowMnemonic, button->text()).width()
                  > button->contentsRect().width();
}

// The named, visible controls of parent; fixedText names those whose text the program changes (path, page).
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
