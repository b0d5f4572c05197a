// The status bar of the tool windows: one text that clears itself a fixed
// time after it was last shown (1 s in the export window, 5 s in the term
// update and opening-order windows). A long text stays at least as long as it
// takes to read it. The text never widens the window: what does not fit is
// cut, and the whole text is the bar's tooltip.
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
    // How long the current text stays, in milliseconds.
    int clearTime() const;
    // Time to read `text`: nothing for a short notice such as 「保存しました。」.
    static int readingTime(const QString& text);

private:
    QLabel* label_ = nullptr;
    QTimer* clearTimer_ = nullptr;
    int clearAfter_ = 0;
};

} // namespace tenvoll
