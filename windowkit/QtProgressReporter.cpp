// Progress reporter drawn in a window.
#include "windowkit/QtProgressReporter.h"

#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace tenvoll {

namespace {

// Ten times a second reads as moving; each drawing of the window costs
// milliseconds, more than reading a file.
constexpr qint64 kRepaintIntervalMs = 100;

// Draws what changed without taking user input in the middle of the run.
void repaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QtProgressReporter::QtProgressReporter(QWidget* window,
                                       std::function<void(const QString&)> showStatus,
                                       QProgressBar* bar, Messages messages)
    : window_(window), showStatus_(std::move(showStatus)), bar_(bar), messages_(messages) {}

bool QtProgressReporter::repaintDue() {
    return !lastRepaint_.isValid() || lastRepaint_.elapsed() >= kRepaintIntervalMs;
}

void QtProgressReporter::handOver() {
    if (pendingStatus_)
        showStatus_(*pendingStatus_);
    if (pendingProgress_) {
        bar_->setRange(0, static_cast<int>(pendingProgress_->second));
        bar_->setValue(static_cast<int>(pendingProgress_->first));
    }
    pendingStatus_.reset();
    pendingProgress_.reset();
}

void QtProgressReporter::flush() {
    handOver();
    repaint();
    lastRepaint_.start();
}

void QtProgressReporter::report() {
    if (repaintDue())
        flush();
    else if (finished_)
        handOver(); // drawn with the window once the run returns
}

void QtProgressReporter::status(const std::string& text) {
    pendingStatus_ = qs(text);
    report();
}

void QtProgressReporter::progress(std::size_t done, std::size_t total) {
    pendingProgress_ = {done, total};
    finished_ = done >= total;
    report();
}

void QtProgressReporter::message(const std::string& text) {
    if (messages_ == Messages::EachOnce && !shown_.insert(text).second)
        return;
    flush(); // the box comes up over the window as it stands
    // What an engine reports while it runs is a problem it met (a missing
    // file, a duplicate team, an error in the data).
    dialogs().warning(window_, qs(text));
}

} // namespace tenvoll
