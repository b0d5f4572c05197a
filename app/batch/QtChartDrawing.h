// The charts' PNG drawing with the graph widget offscreen, for the drawing
// helper and for the tests that run drawing commands in-process.
#pragma once

namespace tenvoll::batch {

void installQtChartDrawing();

} // namespace tenvoll::batch
