#include "help/DesignColours.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cmath>

namespace DesignColours {

namespace {

double luminance(const QColor &colour)
{
    const auto channel
        = [](double value) { return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDark(const QPalette &palette)
{
    return luminance(palette.color(QPalette::Window)) < luminance(palette.color(QPalette::WindowText));
}

QColor readableOn(const QColor &designed, const QColor &background)
{
    if (contrast(designed, background) >= MinimumContrast)
        return designed;
    // Towards white on a dark background, towards black on a light one, in
    // small steps: the first that reads keeps the most of the design.
    const QColor end = luminance(background) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed = QColor::fromRgbF(float(designed.redF() + (end.redF() - designed.redF()) * t),
                                              float(designed.greenF() + (end.greenF() - designed.greenF()) * t),
                                              float(designed.blueF() + (end.blueF() - designed.blueF()) * t));
        if (contrast(mixed, background) >= MinimumContrast)
            return mixed;
    }
    return end;
}

} // namespace DesignColours

DesignColourKeeper::DesignColourKeeper(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

DesignColourKeeper::~DesignColourKeeper() = default;

void DesignColourKeeper::keepText(QWidget *label, const QColor &designed)
{
    m_kept.append({label, designed, false});
    apply();
}

void DesignColourKeeper::keepField(QWidget *field, const QColor &designedBackground)
{
    m_kept.append({field, designedBackground, true});
    apply();
}

void DesignColourKeeper::apply()
{
    // Setting a palette sends a change of its own.
    m_applying = true;
    const QPalette desktop = QApplication::palette(m_window);
    const QColor ground = desktop.color(m_window->backgroundRole());
    for (const Kept &kept : std::as_const(m_kept)) {
        if (!kept.widget)
            continue;
        QPalette palette = kept.widget->palette();
        if (kept.field) {
            QColor fill = kept.designed;
            if (DesignColours::isDark(desktop))
                fill = QColor::fromHslF(kept.designed.hslHueF(), 0.35f, 0.22f);
            QColor text = desktop.color(QPalette::WindowText);
            if (DesignColours::contrast(text, fill) < DesignColours::MinimumContrast)
                text = DesignColours::contrast(Qt::black, fill) > DesignColours::contrast(Qt::white, fill)
                           ? QColor(Qt::black)
                           : QColor(Qt::white);
            for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base})
                palette.setColor(role, fill);
            for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
                palette.setColor(role, text);
        } else {
            // A label on a Base background paints with Text, elsewhere with WindowText.
            const QColor text = DesignColours::readableOn(kept.designed, ground);
            for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
                palette.setColor(role, text);
        }
        kept.widget->setPalette(palette);
    }
    m_applying = false;
}

bool DesignColourKeeper::eventFilter(QObject *watched, QEvent *event)
{
    const bool changed = event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange
                         || event->type() == QEvent::ThemeChange || event->type() == QEvent::StyleChange;
    if (watched == m_window && changed && !m_applying)
        apply();
    return QObject::eventFilter(watched, event);
}
