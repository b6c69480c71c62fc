#pragma once

#include <QList>
#include <QObject>

class PreviewSurface;
class QShortcut;
class QWidget;

// The keys of the Preview state, wherever the focus is in the window:
// Escape leaves the preview, Home/End (with or without Ctrl) show the first
// or last page, Ctrl+G asks for a page number, Ctrl+F, F3 and Shift+F3 find
// a name. They are off in the Options state and while a build or print runs
// (Escape then cancels it).
class PreviewKeys : public QObject
{
    Q_OBJECT

public:
    PreviewKeys(PreviewSurface *surface, QWidget *window);
    ~PreviewKeys() override;

    void setActive(bool active);

    // Asks for a page number and shows that page.
    void goToPage();

signals:
    void leaveRequested();

private:
    QShortcut *add(const QKeySequence &key);

    PreviewSurface *m_surface;
    QWidget *m_window;
    QList<QShortcut *> m_keys;
};
