#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QPalette>
#include <QPointer>

class QWidget;

// The colours the design fixes (the dark-blue captions, the blue web link,
// the red version, the pale yellow path bar) kept where they read on the
// desktop's palette, and adapted where they would not: each text keeps a
// contrast of at least 4.5:1 (WCAG AA) against what it stands on. They
// follow the palette when the desktop's theme changes.
namespace DesignColours {

inline constexpr double MinimumContrast = 4.5;

// WCAG's contrast ratio, 1 to 21.
double contrast(const QColor &a, const QColor &b);
// A palette whose window is darker than its text.
bool isDark(const QPalette &palette);
// designed where it reads on background; else the colour of its hue, made
// lighter on a dark background or darker on a light one, nearest to it
// that does.
QColor readableOn(const QColor &designed, const QColor &background);

} // namespace DesignColours

class DesignColourKeeper : public QObject
{
    Q_OBJECT

public:
    // Watches window for palette and theme changes.
    explicit DesignColourKeeper(QWidget *window);
    ~DesignColourKeeper() override;

    // A text in a fixed colour on the window's own background.
    void keepText(QWidget *label, const QColor &designed);
    // A field in a fixed background colour: kept on a light palette, a dark
    // shade of its hue on a dark one, with the palette's text or whichever
    // of black and white reads on it.
    void keepField(QWidget *field, const QColor &designedBackground);

    void apply();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Kept
    {
        QPointer<QWidget> widget;
        QColor designed;
        bool field;
    };
    QWidget *m_window;
    QList<Kept> m_kept;
    bool m_applying = false;
};
