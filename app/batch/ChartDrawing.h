// Drawing charts to PNG needs Qt, which tenvoll-batch does not load: the
// drawing helper tenvoll-batch-draw, installed beside it, installs the drawing
// below and runs the same commands. tenvoll-batch hands a command line that
// draws to the helper whole, before anything else runs, so that the user keeps
// one command line with the same output and exit status.
#pragma once

#include "charts/CareerChart.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll::batch {

struct ChartDrawing {
    // The graph gallery into `folder`; false after a message on `err`.
    bool (*graphGallery)(const std::string& folder, std::ostream& out, std::ostream& err);
    // The spread of a ranking's terms ("期別" texts) as the chart window draws
    // it / a player's career chart as the detail window draws it, as PNG.
    // False with a Japanese message in `error`.
    bool (*termSpreadPng)(const std::vector<std::string>& terms, const std::string& path,
                          std::string& error);
    bool (*careerPng)(const charts::CareerChartData& data, const std::string& path,
                      std::string& error);
};

// The drawing of this process; null where none is installed.
const ChartDrawing* chartDrawing();
void installChartDrawing(const ChartDrawing& drawing);

// Runs the whole command line (after the program's name) in another process
// and returns its exit status. Set by tenvoll-batch when the build has a
// drawing helper; a command that draws in a process without drawing and
// without a hand-over says the build cannot draw.
using DrawingHandOver = int (*)(const std::vector<std::string>& args, std::ostream& out,
                                std::ostream& err);
void setDrawingHandOver(DrawingHandOver handOver);
DrawingHandOver drawingHandOver();

// The helper's file name, looked for in the running program's folder.
#ifdef _WIN32
inline constexpr std::string_view kDrawingHelperName = "tenvoll-batch-draw.exe";
#else
inline constexpr std::string_view kDrawingHelperName = "tenvoll-batch-draw";
#endif

// The hand-over of tenvoll-batch: runs the helper beside the running program
// in place of this process (on Windows: waits for it); a Japanese message on
// `err` and kFailure when it is missing or cannot be started.
int runDrawingHelper(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace tenvoll::batch
