// The progress reporter of the windows: drawn at once, then at most ten times
// a second; the last status and progress always reach the widgets.
#include "windowkit/QtProgressReporter.h"

#include <QProgressBar>
#include <QWidget>

#include <gtest/gtest.h>

using namespace tenvoll;

TEST(ProgressReporter, ThrottlesTheDrawingButHandsOverTheEnd) {
    QWidget window;
    auto* bar = new QProgressBar(&window);
    QString status;
    QtProgressReporter reporter(
        &window, [&](const QString& text) { status = text; }, bar,
        QtProgressReporter::Messages::EachOnce);

    reporter.progress(0, 3);
    EXPECT_EQ(bar->maximum(), 3); // the first report at once
    reporter.status("1 件目");
    reporter.progress(1, 3);
    EXPECT_EQ(bar->value(), 0); // within the tenth of a second: not yet
    EXPECT_TRUE(status.isEmpty());

    reporter.progress(3, 3);
    EXPECT_EQ(bar->value(), 3);
    EXPECT_EQ(status, QStringLiteral("1 件目"));
    reporter.status("終了");
    EXPECT_EQ(status, QStringLiteral("終了"));
}
