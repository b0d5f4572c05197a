// TForm8, the window "分析": how the entries of the main window's last ranking
// list spread over the terms, drawn as a line of entries per term. Not modal;
// at most one exists; its data are rebuilt every time it becomes active.
#pragma once

#include "charts/TermSpread.h"
#include "windowkit/ProgramState.h"

#include <QPointer>
#include <QWidget>

class QAction;

namespace tenvoll {

namespace charts {
class TXYGraph;
class TXYLineSeries;
class TXYMarkerSeries;
} // namespace charts

class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(ProgramState& state, QWidget* parent = nullptr);

    // Counts the ranking list's entries per term and redraws the line.
    void FormActivate();
    // "画像として保存...": the chart as a PNG file.
    void saveImage();

    charts::TXYGraph* graph() const { return XYGraph1; }
    charts::TXYLineSeries* series1() const { return Series1; }
    charts::TXYMarkerSeries* series2() const { return Series2; }
    const charts::TermSpread& spread() const { return spread_; }

protected:
    bool event(QEvent* event) override;

private:
    ProgramState& state_;
    charts::TermSpread spread_;
    charts::TXYGraph* XYGraph1 = nullptr;
    charts::TXYLineSeries* Series1 = nullptr;
    charts::TXYMarkerSeries* Series2 = nullptr;
    QAction* closeAction_ = nullptr;
    QAction* saveAction_ = nullptr;
};

// The "期別" values of the list's entries, in list order.
std::vector<std::string> rankingTermTexts(const ProgramState::RankingList& list);

// "グラフ表示" ▸ "期別": for a non-empty single-season ranking list, shows the
// chart window (created in `window` when none exists) and returns it; a career
// ranking or an empty list opens nothing and returns null.
TForm8* openTermChart(ProgramState& state, QPointer<TForm8>& window, QWidget* parent);

} // namespace tenvoll
