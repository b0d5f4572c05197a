// Progress reporter drawn in a window.
#include "windowkit/QtProgressReporter.h"

#include "windowkit/QtText.h"
#include "windowkit/UserDialogs.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace tenvoll {

namespace {
// Draws what changed without taking user input in the middle of the run.
void repaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
} // namespace

QtProgressReporter::QtProgressReporter(QWidget* window,
                                       std::function<void(const QString&)> showStatus,
                                       QProgressBar* bar, Messages messages)
    : window_(window), showStatus_(std::move(showStatus)), bar_(bar), messages_(messages) {}

void QtProgressReporter::status(const std::string& text) {
    showStatus_(qs(text));
    repaint();
}

void QtProgressReporter::progress(std::size_t done, std::size_t total) {
    bar_->setRange(0, static_cast<int>(total));
    bar_->setValue(static_cast<int>(done));
    repaint();
}

void QtProgressReporter::message(const std::string& text) {
    if (messages_ == Messages::EachOnce && !shown_.insert(text).second)
        return;
    // What an engine reports while it runs is a problem it met (a missing
    // file, a duplicate team, an error in the data).
    dialogs().warning(window_, qs(text));
}

} // namespace tenvoll
