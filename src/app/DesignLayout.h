#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

// A form's geometry as drawn in Designer, where a 96-dpi pixel stands for 15
// twips, placed again at the screen's logical resolution so that the form
// keeps its proportions on any screen and under a desktop-wide font scale.
// The .ui file stays the one source of the layout.
class DesignLayout
{
public:
    static constexpr int TwipsPerDesignPixel = 15;

    // Takes the designed geometry of the form, of its controls and of the
    // controls inside plain containers (a button bar); call right after
    // setupUi, before anything is moved.
    explicit DesignLayout(QWidget *form);

    QSize formTwips() const { return m_formTwips; }
    // The form as designed, widened where a control was drawn past its
    // right edge, to show that control with its top margin on the right too.
    QSize formTwipsShowing(const QWidget *control) const;
    // Where a control was drawn, in twips of its parent; empty for a
    // control the form did not have at the start.
    QRect twips(const QWidget *control) const;

    // Places every control at the form's logical resolution. A label or
    // check box whose caption would be cut off gets the room it needs,
    // except the ones whose text the program changes (fixedWidth).
    void apply(const QList<const QWidget *> &fixedWidth = {}) const;

private:
    struct Control
    {
        QPointer<QWidget> widget;
        QRect twips;
    };

    void record(QWidget *parent);
    int captionWidth(const Control &control, const QRect &pixels) const;

    QWidget *m_form;
    QSize m_formTwips;
    QList<Control> m_controls;
};
