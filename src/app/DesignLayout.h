#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <utility>

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
    // except the ones whose text the program changes (fixedWidth); where
    // its row has no such room (a longer translation), and for a button
    // whose caption does not fit, the control widens and everything drawn
    // right of it moves right as far.
    void apply(const QList<const QWidget *> &fixedWidth = {});
    // The form's size after apply(): as designed, widened to hold every
    // control with the designed left margin on its right too.
    QSize formPixels() const { return m_formPixels; }

private:
    struct Control
    {
        QPointer<QWidget> widget;
        QRect twips;
    };

    void record(QWidget *parent);
    // The caption's width, and how much wider it is than its row allows.
    std::pair<int, int> captionWidth(const Control &control, const QRect &pixels) const;
    // How much wider a button must be for its caption.
    static int buttonShortfall(const QWidget *button, int width);

    QWidget *m_form;
    QSize m_formTwips;
    QSize m_formPixels;
    QList<Control> m_controls;
};
