#pragma once

#include <QByteArray>
#include <QObject>

class QMimeData;
class QWidget;

// A folder dragged from a file manager (text/uri-list) and dropped anywhere
// on the window becomes the selection. Also over the text boxes, which would
// otherwise take the folder's address as text.
class FolderDrop : public QObject
{
    Q_OBJECT

public:
    explicit FolderDrop(QWidget *window);
    ~FolderDrop() override;

    // The first local folder the data names, as native bytes; empty for none.
    static QByteArray folderIn(const QMimeData *data);

signals:
    void folderDropped(const QByteArray &nativePath);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
