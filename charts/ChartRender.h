// Rendering graphs to PNG files without a display: an offscreen Qt
// application is started on first use when the program has none.
#pragma once

#include <QSize>
#include <QString>

namespace tenvoll::charts {

class TXYGraph;

// Starts an offscreen QApplication unless one exists.
void ensureGuiApplication();

// Renders `graph` at `size` through its own paint and saves it as PNG.
// On failure returns false with a Japanese message in `error`.
bool renderGraphToPng(TXYGraph& graph, const QString& path, QSize size, QString* error);

} // namespace tenvoll::charts
