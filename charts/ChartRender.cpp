// Rendering graphs to PNG files offscreen.
#include "charts/ChartRender.h"

#include "charts/XYGraph.h"

#include <QApplication>
#include <QImage>
#include <QSaveFile>

namespace tenvoll::charts {

void ensureGuiApplication() {
    if (QCoreApplication::instance())
        return;
    // A command-line run has no display: always draw offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tenvoll-batch";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

bool renderGraphToPng(TXYGraph& graph, const QString& path, QSize size, QString* error) {
    graph.resize(size);
    const QImage image = graph.renderImage();
    // Written whole or not at all.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
        if (error)
            *error = QStringLiteral("画像ファイルを書き込めません: %1").arg(path);
        return false;
    }
    return true;
}

} // namespace tenvoll::charts
