// The drawing installed in this process and the hand-over to the drawing helper.
#include "app/batch/ChartDrawing.h"

#include "app/batch/BatchCommand.h"
#include "league/Platform.h"
#include "league/SystemErrors.h"

#include <cerrno>
#include <filesystem>
#include <ostream>

namespace tenvoll::batch {

namespace {

ChartDrawing installedDrawing{};
bool drawingInstalled = false;
DrawingHandOver handOverToHelper = nullptr;

} // namespace

const ChartDrawing* chartDrawing() {
    return drawingInstalled ? &installedDrawing : nullptr;
}

void installChartDrawing(const ChartDrawing& drawing) {
    installedDrawing = drawing;
    drawingInstalled = true;
}

void setDrawingHandOver(DrawingHandOver handOver) {
    handOverToHelper = handOver;
}

DrawingHandOver drawingHandOver() {
    return handOverToHelper;
}

int runDrawingHelper(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::string self = platform::runningProgramPath();
    const std::filesystem::path helperPath =
        platform::fsPath(self).parent_path() / platform::fsPath(kDrawingHelperName);
    const std::string helper = platform::pathText(helperPath);
    if (self.empty() || !platform::pathExists(helper)) {
        err << "グラフを描くプログラム "
            << (self.empty() ? std::string(kDrawingHelperName) : helper)
            << " が見つからないため、グラフを書き出せません。\n"
               "tenvoll-batch と同じフォルダに "
            << kDrawingHelperName << " を置いてください。\n";
        return kFailure;
    }
    // Nothing is printed yet; whatever a stream holds must not be lost by exec.
    out.flush();
    err.flush();
    const int status = platform::runProgramInPlace(helper, args);
    if (status < 0) {
        const int cause = errno;
        err << "グラフを描くプログラム " << helper << " を起動できませんでした。\n"
            << systemErrorText(cause) << "\n";
        return kFailure;
    }
    return status;
}

} // namespace tenvoll::batch
