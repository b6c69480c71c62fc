#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

// Our help viewer: one window showing the HTML help file, scrolled to the
// requested topic. It reads the file afresh on every request, so a second
// "Help Contents" shows the contents again.
class HelpViewer : public QWidget
{
    Q_OBJECT

public:
    explicit HelpViewer(QWidget *parent = nullptr);
    ~HelpViewer() override;

    void showContents(const QString &helpFile);
    void showTopic(const QString &helpFile, int contextId);

    // The topic on display: 0 for the contents, the context number for a
    // topic, -1 when the file or the topic could not be shown.
    int currentTopic() const { return m_currentTopic; }
    QTextBrowser *browser() const { return m_browser; }

    // The anchor that starts a topic in the help file ("contents", "topic-10").
    static QString topicAnchor(int contextId);

signals:
    void topicShown(int contextId);

private:
    void display(const QString &helpFile, int contextId);
    void showProblem(const QString &html);

    QTextBrowser *m_browser = nullptr;
    int m_currentTopic = -1;
};
