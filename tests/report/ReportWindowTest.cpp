// The 「Webページ出力…」 window under the offscreen platform, from the main
// window's menu on fixtures/main-window.
#include "report/ReportWindow.h"
#include "league/Platform.h"
#include "mainwindow/Unit1.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"
#include "windowkit/ProgramState.h"

#include <QAction>
#include <QDir>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

using namespace tenvoll;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        tenvoll::test::copyFixtureFolder("main-window", folder.path());
        registerReportWindow();
        main = std::make_unique<TForm1>(folder.path());
    }

    TempFolder folder;
    TempFolder out;
    RecordingDialogs dialogs;
    std::unique_ptr<TForm1> main;
};

} // namespace

TEST_F(ReportWindowTest, MenuAsksForTheFolderWritesThePagesAndOffersTheBrowser) {
    const QString site = QString::fromStdString(out.file("site"));
    dialogs.fileAnswers.enqueue(site);
    dialogs.questionAnswers.enqueue(true);
    main->findChild<QAction*>(QStringLiteral("ReportAction"))->trigger();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.questions[0].startsWith(QStringLiteral("Webページを出力しました。")));
    ASSERT_EQ(dialogs.opened.size(), 1);
    // A file URL's path has '/' on every platform.
    EXPECT_EQ(dialogs.opened[0].toLocalFile(),
              QDir::fromNativeSeparators(site) + QStringLiteral("/index.html"));
    EXPECT_TRUE(std::filesystem::is_regular_file(platform::fsPath(out.file("site/index.html"))));

    // A cancelled folder dialog writes nothing.
    dialogs.fileAnswers.enqueue(std::nullopt);
    main->findChild<QAction*>(QStringLiteral("ReportAction"))->trigger();
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ReportWindowTest, StopButtonEndsTheRunAndALeagueFolderIsRefused) {
    ReportWindow window(main->state(), main.get());
    window.show();
    QTimer::singleShot(0, window.stopButton(), [&] { window.stopButton()->click(); });
    EXPECT_TRUE(window.writeInto(QString::fromStdString(out.file("site"))));
    EXPECT_FALSE(window.outcome().complete);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0], QStringLiteral("Webページの出力を中止しました。"));
    EXPECT_FALSE(std::filesystem::exists(platform::fsPath(out.file("site/index.html"))));

    EXPECT_FALSE(window.writeInto(QString::fromStdString(folder.file("リーグ"))));
    EXPECT_EQ(dialogs.messages.back(), QStringLiteral("Webページを出力できませんでした。"));
    EXPECT_TRUE(dialogs.details.back().contains(QStringLiteral("機構のフォルダ")));
}
