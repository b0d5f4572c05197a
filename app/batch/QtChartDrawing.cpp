// The drawing of tenvoll-batch-draw: the graph gallery, the ranking's term
// spread and the career chart, drawn by the graph widget offscreen.
#include "app/batch/QtChartDrawing.h"

#include "app/batch/ChartDrawing.h"
#include "charts/ChartRender.h"
#include "charts/GraphGallery.h"
#include "charts/TermSpreadChart.h"
#include "charts/XYGraph.h"

namespace tenvoll::batch {

namespace {

bool termSpreadPng(const std::vector<std::string>& terms, const std::string& path,
                   std::string& error) {
    charts::ensureGuiApplication();
    charts::TXYGraph graph;
    const charts::TermSpreadSeries series = charts::setUpTermSpreadGraph(graph);
    charts::showTermSpread(*series.Series1, charts::termSpread(terms));
    QString text;
    if (charts::renderGraphToPng(graph, QString::fromStdString(path), charts::kTermSpreadChartSize,
                                 &text))
        return true;
    error = text.toStdString();
    return false;
}

bool careerPng(const charts::CareerChartData& data, const std::string& path, std::string& error) {
    charts::ensureGuiApplication();
    charts::TXYGraph graph;
    charts::setUpCareerGraph(graph.graph(), data);
    QString text;
    if (charts::renderGraphToPng(graph, QString::fromStdString(path),
                                 QSize(charts::kCareerChartWidth, charts::kCareerChartHeight),
                                 &text))
        return true;
    error = text.toStdString();
    return false;
}

} // namespace

void installQtChartDrawing() {
    installChartDrawing({&charts::writeGraphGallery, &termSpreadPng, &careerPng});
}

} // namespace tenvoll::batch
