// Widgets that take files dropped from the desktop's file manager: a file list
// and a drop panel. They only report the local paths; the window decides.
#pragma once

#include <QLabel>
#include <QListWidget>

namespace tenvoll {

// The local file paths of a drag, or empty when it carries none.
QStringList droppedFilePaths(const QMimeData* data);

class FileDropList : public QListWidget {
    Q_OBJECT
public:
    explicit FileDropList(QWidget* parent = nullptr);

signals:
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

class FileDropPanel : public QLabel {
    Q_OBJECT
public:
    explicit FileDropPanel(const QString& caption, QWidget* parent = nullptr);

signals:
    void filesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

} // namespace tenvoll
