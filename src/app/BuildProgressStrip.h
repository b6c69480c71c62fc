#pragma once

#include <QFrame>

class BuildSession;
class QLabel;
class QShortcut;

// The strip that shows how far a long build has come, with its Cancel
// button; Escape in the window cancels too. It follows the session: shown
// by its progress, hidden when the run ends. The window places it.
class BuildProgressStrip : public QFrame
{
    Q_OBJECT

public:
    // session must outlive the strip.
    BuildProgressStrip(BuildSession *session, QWidget *parent);
    ~BuildProgressStrip() override;

    // Across the parent, just above bar (the button bar's geometry).
    void placeAbove(const QRect &bar);

private:
    // folder: the one being read; empty once the layout runs.
    void showProgress(qsizetype entries, qsizetype unread, const QString &folder);
    void showText(const QString &text);
    void followRun(bool running);

    QLabel *m_text;
    QShortcut *m_escape;
};
