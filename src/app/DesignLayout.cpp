#include "app/DesignLayout.h"

#include "Twips.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>

#include <algorithm>
#include <limits>
#include <vector>

namespace {

QRect designTwips(const QRect &designPixels)
{
    constexpr int k = DesignLayout::TwipsPerDesignPixel;
    return QRect(designPixels.x() * k, designPixels.y() * k, designPixels.width() * k, designPixels.height() * k);
}

bool isPlainContainer(const QWidget *widget)
{
    return widget->metaObject() == &QWidget::staticMetaObject || widget->metaObject() == &QFrame::staticMetaObject;
}

} // namespace

DesignLayout::DesignLayout(QWidget *form) : m_form(form), m_formTwips(designTwips(QRect(QPoint(), form->size())).size())
{
    record(form);
}

void DesignLayout::record(QWidget *parent)
{
    const QList<QWidget *> children = parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->isWindow())
            continue;
        m_controls.append({child, designTwips(child->geometry())});
        if (isPlainContainer(child))
            record(child);
    }
}

QSize DesignLayout::formTwipsShowing(const QWidget *control) const
{
    const QRect drawn = twips(control);
    return QSize(std::max(m_formTwips.width(), drawn.x() + drawn.width() + drawn.y()), m_formTwips.height());
}

QRect DesignLayout::twips(const QWidget *control) const
{
    for (const Control &recorded : m_controls) {
        if (recorded.widget == control)
            return recorded.twips;
    }
    return QRect();
}

void DesignLayout::apply(const QList<const QWidget *> &fixedWidth)
{
    struct Placed
    {
        const Control *control;
        QRect pixels;
        int extra = 0; // past the designed room: what moves the controls right of it
        int shift = 0;
    };
    std::vector<Placed> placed;
    for (const Control &control : std::as_const(m_controls)) {
        if (!control.widget)
            continue;
        Placed place{&control, twipsToPixels(control.twips, m_form)};
        const bool caption = qobject_cast<QLabel *>(control.widget) || qobject_cast<QCheckBox *>(control.widget);
        if (caption && !fixedWidth.contains(control.widget)) {
            const auto [width, extra] = captionWidth(control, place.pixels);
            place.pixels.setWidth(width);
            place.extra = extra;
        } else if (qobject_cast<QAbstractButton *>(control.widget)) {
            place.extra = buttonShortfall(control.widget, place.pixels.width());
            place.pixels.setWidth(place.pixels.width() + place.extra);
        }
        placed.push_back(place);
    }
    // Left to right: a control moves as far as the farthest-moved control
    // drawn wholly left of it in the same container.
    std::stable_sort(placed.begin(), placed.end(), [](const Placed &a, const Placed &b) {
        return a.control->twips.left() < b.control->twips.left();
    });
    const int margin = twipsToPixels(8 * TwipsPerDesignPixel, m_form->logicalDpiX());
    int formWidth = twipsToPixels(m_formTwips.width(), m_form->logicalDpiX());
    for (auto it = placed.begin(); it != placed.end(); ++it) {
        for (auto left = placed.begin(); left != it; ++left) {
            const bool sameParent = left->control->widget->parentWidget() == it->control->widget->parentWidget();
            if (sameParent && left->control->twips.right() < it->control->twips.left())
                it->shift = std::max(it->shift, left->shift + left->extra);
        }
        const int designedRight = twipsToPixels(it->control->twips, m_form).right();
        it->pixels.translate(it->shift, 0);
        it->control->widget->setGeometry(it->pixels);
        if (it->pixels.right() > designedRight)
            formWidth = std::max(formWidth, it->pixels.right() + 1 + margin);
    }
    m_formPixels = QSize(formWidth, twipsToPixels(m_formTwips.height(), m_form->logicalDpiY()));
}

int DesignLayout::buttonShortfall(const QWidget *button, int width)
{
    const auto *pushed = qobject_cast<const QAbstractButton *>(button);
    if (!pushed || qobject_cast<const QCheckBox *>(button))
        return 0;
    // A little air on both sides of the caption, as the style's own padding would leave.
    constexpr int Air = 8;
    const int text = pushed->fontMetrics().boundingRect(QRect(), Qt::TextShowMnemonic, pushed->text()).width();
    return std::max(0, text + Air - width);
}

std::pair<int, int> DesignLayout::captionWidth(const Control &control, const QRect &pixels) const
{
    // The widths were measured for a narrower system font. A caption that
    // would be cut off gets the room it needs where its row has that room;
    // where the next control on the row stands too close, the caption's
    // font gives a little instead, so that two captions never run together.
    QWidget *widget = control.widget;
    int nextLeft = std::numeric_limits<int>::max();
    for (const Control &other : m_controls) {
        if (other.widget == widget || !other.widget || other.widget->parentWidget() != widget->parentWidget())
            continue;
        const bool sameRow = other.twips.top() < control.twips.bottom() && control.twips.top() < other.twips.bottom();
        if (sameRow && other.twips.left() > control.twips.left())
            nextLeft = qMin(nextLeft, other.twips.left());
    }
    constexpr int GapTwips = 60;
    const int room = nextLeft == std::numeric_limits<int>::max()
                         ? std::numeric_limits<int>::max()
                         : twipsToPixels(nextLeft - GapTwips, m_form->logicalDpiX()) - pixels.left();

    // Start from the caption's designed width, so that a relayout on
    // another screen does not narrow it twice. Narrowing the letters keeps
    // their height; a smaller point size would drop a whole pixel size.
    QFont font = widget->font();
    if (font.stretch() != QFont::Unstretched && font.stretch() != QFont::AnyStretch) {
        font.setStretch(QFont::Unstretched);
        widget->setFont(font);
    }
    const int allowed = qMax(pixels.width(), room);
    constexpr int NarrowestStretch = 85;
    for (int stretch = QFont::Unstretched - 1; widget->sizeHint().width() > allowed && stretch >= NarrowestStretch;
         --stretch) {
        font.setStretch(stretch);
        widget->setFont(font);
    }
    const int needed = widget->sizeHint().width();
    return {qMax(pixels.width(), needed), qMax(0, needed - allowed)};
}
