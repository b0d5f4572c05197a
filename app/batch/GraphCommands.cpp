// tenvoll-batch graph-demo: the graph gallery, drawn by the graph widget
// offscreen in the drawing helper.
#include "app/batch/BatchCommand.h"
#include "app/batch/ChartDrawing.h"

#include <ostream>

namespace tenvoll::batch {

namespace {

int graphDemo(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    a.expectPositionals(1);
    const std::string folder = c.argumentPath(a.positional(0, "OUT_DIR"));
    if (const ChartDrawing* drawing = chartDrawing())
        return drawing->graphGallery(folder, c.out, c.err) ? kSuccess : kFailure;
    c.err << "このビルドにはグラフの描画がありません\n";
    return kFailure;
}

bool alwaysDraws(const std::vector<std::string>&) {
    return true;
}

} // namespace

void addGraphCommands(std::vector<BatchCommand>& table) {
    table.push_back({"graph-demo", "OUT_DIR",
                     "グラフの見本 (系列の種類と軸の目盛ごとに PNG) を書き出す", &graphDemo,
                     &alwaysDraws});
}

} // namespace tenvoll::batch
