// tenvoll-batch graph-demo: the graph gallery, drawn by the graph widget
// offscreen. Only this command starts Qt.
#include "app/batch/BatchCommand.h"

#ifdef TENVOLL_HAS_GUI
#include "charts/GraphGallery.h"
#endif

#include <ostream>

namespace tenvoll::batch {

namespace {

int graphDemo(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    a.expectPositionals(1);
    const std::string folder = c.argumentPath(a.positional(0, "OUT_DIR"));
#ifdef TENVOLL_HAS_GUI
    return charts::writeGraphGallery(folder, c.out, c.err) ? kSuccess : kFailure;
#else
    c.err << "このビルドにはグラフの描画がありません\n";
    return kFailure;
#endif
}

} // namespace

void addGraphCommands(std::vector<BatchCommand>& table) {
    table.push_back({"graph-demo", "OUT_DIR",
                     "グラフの見本 (系列の種類と軸の目盛ごとに PNG) を書き出す", &graphDemo});
}

} // namespace tenvoll::batch
