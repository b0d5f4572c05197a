// tenvoll-batch: the league operations of ボルタナ選手名鑑 from the command line.
// It loads no Qt: a command line that draws a PNG is handed to the drawing
// helper beside it, where the build has one.
#include "app/batch/BatchCommand.h"
#include "app/batch/ChartDrawing.h"

int main(int argc, char** argv) {
#ifdef TENVOLL_HAS_DRAWING_HELPER
    tenvoll::batch::setDrawingHandOver(&tenvoll::batch::runDrawingHelper);
#endif
    return tenvoll::batch::batchMain(argc, argv);
}
