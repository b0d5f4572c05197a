// The one Qt adaptor of the engines' progress reporter (league/ProgressReporter.h):
// status texts and progress drawn while a run keeps the GUI thread busy (at
// once, then at most ten times a second; the last ones are always handed to
// the widgets, which the window draws when the run returns),
// message texts shown through dialogs(). Used by the main window's
// searches and the term-update window.
#pragma once

#include "league/ProgressReporter.h"

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>

class QProgressBar;
class QWidget;

namespace tenvoll {

class QtProgressReporter : public ProgressReporter {
public:
    enum class Messages {
        Every,
        EachOnce // a league without "seiseki.ini" would answer every file with the same box
    };

    // `showStatus` puts a status text where the window shows it; `bar` takes
    // the progress (its visibility stays with the window); message boxes are
    // parented to `window`.
    QtProgressReporter(QWidget* window, std::function<void(const QString&)> showStatus,
                       QProgressBar* bar, Messages messages);

    void status(const std::string& text) override;
    void progress(std::size_t done, std::size_t total) override;
    void message(const std::string& text) override;

private:
    // Whether the window is drawn now: at most ten times a second,
    // since a drawn status bar or progress bar costs more than reading a file
    // (the progress bar paints itself at once whenever its value moves).
    bool repaintDue();
    // Hands the latest status and progress to the widgets.
    void handOver();
    // handOver, and draws them.
    void flush();
    // After each report: drawn when due; at the end at least handed over.
    void report();

    QWidget* window_;
    std::function<void(const QString&)> showStatus_;
    QProgressBar* bar_;
    Messages messages_;
    std::set<std::string> shown_;
    QElapsedTimer lastRepaint_;
    std::optional<QString> pendingStatus_;
    std::optional<std::pair<std::size_t, std::size_t>> pendingProgress_;
    bool finished_ = false; // the last unit is done: everything goes to the widgets
};

} // namespace tenvoll
