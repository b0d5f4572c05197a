// The web-page report window.
#include "report/ReportWindow.h"

#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "windowkit/ProgramState.h"
#include "windowkit/QtText.h"
#include "windowkit/ToolWindowHooks.h"
#include "windowkit/UserDialogs.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace tenvoll {

// Draws the engine's progress and lets the stop button's click in between pages.
class ReportWindowProgress : public report::ReportProgress {
public:
    explicit ReportWindowProgress(ReportWindow& window) : w_(window) {}
    void status(const std::string& text) override {
        w_.status_->setText(qs(text));
        QApplication::processEvents();
    }
    void progress(std::size_t done, std::size_t total) override {
        w_.bar_->setRange(0, static_cast<int>(total));
        w_.bar_->setValue(static_cast<int>(done));
        QApplication::processEvents();
    }
    bool cancelRequested() override { return w_.stopRequested_; }

private:
    ReportWindow& w_;
};

ReportWindow::ReportWindow(ProgramState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("ReportWindow"));
    setWindowTitle(QStringLiteral("Webページ出力"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("ReportStatus"));
    status_->setMinimumWidth(420);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("ReportProgress"));
    stop_ = new QPushButton(QStringLiteral("中止(&C)"), this);
    stop_->setObjectName(QStringLiteral("ReportStop"));
    connect(stop_, &QPushButton::clicked, this, &ReportWindow::requestStop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(bar_);
    layout->addWidget(stop_, 0, Qt::AlignRight);
}

bool ReportWindow::writeInto(const QString& folder) {
    stopRequested_ = false;
    ReportWindowProgress progress(*this);
    try {
        // Under the shared lock: a term update in another program waits for the pages.
        FolderLock lock = FolderLock::acquire(state_.programFolder(), FolderLock::Mode::Shared);
        Settings settings = Settings::loadFrom(state_.programFolder());
        outcome_ = report::writeLeagueReport(report::reportLeague(settings, state_.leagueName()),
                                             ss(folder), progress);
    } catch (const LeagueError& e) {
        dialogs().message(this, QStringLiteral("Webページを出力できませんでした。"),
                          qs(e.fullText()));
        return false;
    }
    QString detail =
        QStringLiteral("%1 ファイル\n%2").arg(outcome_.files).arg(qs(outcome_.indexPath));
    for (const std::string& w : outcome_.warnings)
        detail += QStringLiteral("\n") + qs(w);
    if (!outcome_.complete) {
        dialogs().message(this, QStringLiteral("Webページの出力を中止しました。"), detail);
        return true;
    }
    if (dialogs().question(
            this, QStringLiteral("Webページを出力しました。ブラウザで開きますか？\n") + detail))
        dialogs().openExternally(QUrl::fromLocalFile(qs(outcome_.indexPath)));
    return true;
}

void openReportWindow(ProgramState& state, QWidget* parent) {
    const std::optional<QString> folder = dialogs().folderName(
        parent, QStringLiteral("Webページの出力先フォルダ (空のフォルダ、または以前の出力先)"),
        QDir::homePath());
    if (!folder)
        return;
    ReportWindow window(state, parent);
    window.show();
    window.writeInto(*folder);
}

void registerReportWindow() {
    setReportWindowOpener(&openReportWindow);
}

} // namespace tenvoll
