// Status text with its one-shot clearing timer.
#include "windowkit/TimedStatusBar.h"

#include <QLabel>
#include <QTimer>

namespace tenvoll {

TimedStatusBar::TimedStatusBar(int clearAfterMilliseconds, QWidget* parent)
    : QStatusBar(parent), label_(new QLabel(this)), clearTimer_(new QTimer(this)) {
    setSizeGripEnabled(false);
    label_->setObjectName(QStringLiteral("StatusText"));
    addWidget(label_, 1);
    clearTimer_->setSingleShot(true);
    clearTimer_->setInterval(clearAfterMilliseconds);
    connect(clearTimer_, &QTimer::timeout, label_, &QLabel::clear);
}

void TimedStatusBar::showText(const QString& text) {
    setText(text);
    restartClearTime();
}

void TimedStatusBar::setText(const QString& text) {
    label_->setText(text);
}

void TimedStatusBar::restartClearTime() {
    clearTimer_->start();
}

QString TimedStatusBar::text() const {
    return label_->text();
}

} // namespace tenvoll
