#pragma once

#include <QLabel>

// A label that acts as a web link: it shows the what's-this pointer (arrow
// with question mark) and reports a click, or Enter or Space while it has
// the focus. Screen readers meet it as a link they can press. Both windows'
// Label2 are one.
class WebLinkLabel : public QLabel
{
    Q_OBJECT

public:
    explicit WebLinkLabel(QWidget *parent = nullptr);
    ~WebLinkLabel() override;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_pressed = false;
};
