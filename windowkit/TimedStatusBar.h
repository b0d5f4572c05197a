// The status bar of the tool windows: one text that clears itself a fixed
// time after it was last shown (1 s in the export window, 5 s in the term
// update and opening-order windows).
#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;

namespace tenvoll {

class TimedStatusBar : public QStatusBar {
    Q_OBJECT
public:
    TimedStatusBar(int clearAfterMilliseconds, QWidget* parent);

    // Shows `text` and restarts the clearing time.
    void showText(const QString& text);
    // Shows `text` until the clearing time is restarted or another text comes.
    void setText(const QString& text);
    void restartClearTime();
    QString text() const;

private:
    QLabel* label_ = nullptr;
    QTimer* clearTimer_ = nullptr;
};

} // namespace tenvoll
