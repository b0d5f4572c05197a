// tenvoll-batch-draw: tenvoll-batch with the charts' PNG drawing (Qt,
// offscreen). tenvoll-batch hands it the command lines that draw.
#include "app/batch/BatchCommand.h"
#include "app/batch/QtChartDrawing.h"

int main(int argc, char** argv) {
    tenvoll::batch::installQtChartDrawing();
    return tenvoll::batch::batchMain(argc, argv);
}
