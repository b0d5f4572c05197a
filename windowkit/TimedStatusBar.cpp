// Status text with its one-shot clearing timer.
#include "windowkit/TimedStatusBar.h"

#include <QLabel>
#include <QTimer>

#include <algorithm>

namespace tenvoll {

TimedStatusBar::TimedStatusBar(int clearAfterMilliseconds, QWidget* parent)
    : QStatusBar(parent), label_(new QLabel(this)), clearTimer_(new QTimer(this)),
      clearAfter_(clearAfterMilliseconds) {
    setSizeGripEnabled(false);
    label_->setObjectName(QStringLiteral("StatusText"));
    // A long text is cut instead of widening the window under the mouse.
    label_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label_->setMinimumWidth(0);
    addWidget(label_, 1);
    clearTimer_->setSingleShot(true);
    clearTimer_->setInterval(clearAfterMilliseconds);
    connect(clearTimer_, &QTimer::timeout, this, [this] { setText(QString()); });
}

int TimedStatusBar::readingTime(const QString& text) {
    // Up to 20 characters are taken in at a glance; beyond that about 12
    // characters a second, after two seconds to notice the text.
    constexpr qsizetype kGlance = 20;
    if (text.size() <= kGlance)
        return 0;
    return 2000 + static_cast<int>(text.size()) * 80;
}

int TimedStatusBar::clearTime() const {
    return clearTimer_->interval();
}

void TimedStatusBar::showText(const QString& text) {
    setText(text);
    restartClearTime();
}

void TimedStatusBar::setText(const QString& text) {
    label_->setText(text);
    setToolTip(text);
}

void TimedStatusBar::restartClearTime() {
    clearTimer_->start(std::max(clearAfter_, readingTime(label_->text())));
}

QString TimedStatusBar::text() const {
    return label_->text();
}

} // namespace tenvoll
