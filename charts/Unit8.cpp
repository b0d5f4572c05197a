// The chart window "分析".
#include "charts/Unit8.h"

#include "charts/TermSpreadChart.h"
#include "charts/XYGraph.h"
#include "league/LeagueError.h"
#include "league/OutputTarget.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"
#include "windowkit/WindowPlacement.h"

#include <QAction>
#include <QDir>
#include <QEvent>
#include <QImage>
#include <QKeySequence>
#include <QSaveFile>
#include <QVBoxLayout>

namespace tenvoll {

namespace {

constexpr std::size_t kTermColumn = kRankingColumnCount - 1;

} // namespace

std::vector<std::string> rankingTermTexts(const ProgramState::RankingList& list) {
    std::vector<std::string> terms;
    terms.reserve(list.rows.size());
    for (const RankingRow& row : list.rows)
        terms.push_back(row[kTermColumn]);
    return terms;
}

TForm8::TForm8(ProgramState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state) {
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("分析"));

    XYGraph1 = new charts::TXYGraph(this);
    XYGraph1->setObjectName(QStringLiteral("XYGraph1"));
    XYGraph1->setFocusPolicy(Qt::StrongFocus);
    const charts::TermSpreadSeries series = charts::setUpTermSpreadGraph(*XYGraph1);
    Series1 = series.Series1;
    Series2 = series.Series2;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(XYGraph1);

    // The graph's pop-up menu; the shortcuts work anywhere in the window.
    saveAction_ = new QAction(QStringLiteral("画像として保存..."), this);
    saveAction_->setObjectName(QStringLiteral("SaveImageAction"));
    saveAction_->setShortcut(QKeySequence::Save);
    closeAction_ = new QAction(QStringLiteral("閉じる"), this);
    closeAction_->setObjectName(QStringLiteral("CloseAction"));
    closeAction_->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
    connect(saveAction_, &QAction::triggered, this, &TForm8::saveImage);
    connect(closeAction_, &QAction::triggered, this, &QWidget::close);
    XYGraph1->addAction(saveAction_);
    XYGraph1->addAction(closeAction_);
    XYGraph1->setContextMenuPolicy(Qt::ActionsContextMenu);

    resize(charts::kTermSpreadChartSize);
    setMinimumSize(320, 240);
    FormActivate();
}

bool TForm8::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void TForm8::FormActivate() {
    spread_ = charts::termSpread(rankingTermTexts(state_.ranking()));
    charts::showTermSpread(*Series1, spread_);
}

void TForm8::saveImage() {
    const auto path =
        dialogs().saveFileName(this, QStringLiteral("期別の選手数.png"), QStringLiteral("png"),
                               {{QStringLiteral("PNG画像 (*.png)"), QStringLiteral("*.png")}});
    if (!path)
        return;
    try {
        checkOutputTarget(state_.programFolder(), ss(QDir::toNativeSeparators(*path)));
    } catch (const LeagueError& e) {
        dialogs().message(this, QStringLiteral("画像ファイルを保存できませんでした。"),
                          qs(e.fullText()));
        return;
    }
    const QImage image = XYGraph1->renderImage();
    // Written whole or not at all.
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit())
        dialogs().warning(this, QStringLiteral("画像ファイルを保存できませんでした。"), *path);
}

TForm8* openTermChart(ProgramState& state, QPointer<TForm8>& window, QWidget* parent) {
    if (!charts::termSpreadAvailable(rankingTermTexts(state.ranking())))
        return nullptr;
    if (!window) {
        window = new TForm8(state, parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
        centreOnWindow(*window, parent);
    }
    window->FormActivate();
    window->show();
    window->raise();
    window->activateWindow();
    return window.data();
}

} // namespace tenvoll
