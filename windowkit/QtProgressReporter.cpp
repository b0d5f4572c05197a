// Progress reporter drawn in a window.
#include "windowkit/QtProgressReporter.h"

#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace tenvoll {

namespace {

// Often enough to look continuous; each drawing costs about a millisecond.
constexpr qint64 kRepaintIntervalMs = 40;

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
    if (lastRepaint_.isValid() && lastRepaint_.elapsed() < kRepaintIntervalMs)
        return false;
    lastRepaint_.start();
    return true;
}

void QtProgressReporter::status(const std::string& text) {
    showStatus_(qs(text));
    if (repaintDue())
        repaint();
}

void QtProgressReporter::progress(std::size_t done, std::size_t total) {
    bar_->setRange(0, static_cast<int>(total));
    bar_->setValue(static_cast<int>(done));
    if (done >= total || repaintDue()) {
        repaint();
        lastRepaint_.start();
    }
}

void QtProgressReporter::message(const std::string& text) {
    if (messages_ == Messages::EachOnce && !shown_.insert(text).second)
        return;
    dialogs().message(window_, qs(text));
}

} // namespace tenvoll
