// Drop targets for files from the desktop.
#include "termupdate/FileDropTargets.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace tenvoll {

QStringList droppedFilePaths(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    return paths;
}

FileDropList::FileDropList(QWidget* parent) : QListWidget(parent) {
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSortingEnabled(true);
}

void FileDropList::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFilePaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FileDropList::dragMoveEvent(QDragMoveEvent* event) {
    if (!droppedFilePaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FileDropList::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedFilePaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}

FileDropPanel::FileDropPanel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMinimumSize(80, 40);
}

void FileDropPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFilePaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void FileDropPanel::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedFilePaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    emit filesDropped(paths);
}

} // namespace tenvoll
