// The graph core's drawing commands as an SVG picture, without any toolkit:
// the web pages show the same chart the widget paints.
#pragma once

#include "charts/XYGraphCore.h"

#include <string>

namespace tenvoll::charts {

// Lays `graph` out at width × height with the fixed text metrics and returns
// the SVG document of one paint.
std::string renderGraphToSvg(TXYGraphCore& graph, int width, int height);

// The SVG document of drawing commands already laid out at width × height.
std::string drawListToSvg(const DrawList& commands, int width, int height);

} // namespace tenvoll::charts
