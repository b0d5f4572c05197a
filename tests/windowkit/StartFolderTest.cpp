// The program folder at start: what wins over what, the questions of the
// first start, the remembered choice, and the sample league it can create.
#include "windowkit/StartFolder.h"
#include "league/FileAccess.h"
#include "mainwindow/Unit1.h"
#include "support/RecordingDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>

#include <gtest/gtest.h>

using namespace tenvoll;
using tenvoll::test::RecordingDialogs;
using tenvoll::test::TempFolder;

namespace {

enum Answer { PickFolder = 0, CreateSample = 1, Quit = 2 };

class StartFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(current());
        // A name with Japanese letters and a blank, as users name their folders.
        test::writeCp932(root.file("東京 リーグ/Tenvoll.ini"), "[Main]\n機構名=東京リーグ\n");
        QDir().mkpath(at("empty"));
    }

    QString at(const char* relative) const {
        return QDir::cleanPath(QString::fromStdString(root.file(relative)));
    }
    QString current() const { return at("cwd"); }
    QString league() const { return at("東京 リーグ"); }
    QString sample() const { return at("data/sample-league"); }
    QString config() const { return at("config/tenvoll.conf"); }

    StartFolderChooser chooser() const {
        return StartFolderChooser({current(), config(), sample()});
    }
    std::optional<QString> start(const QString& commandLine = {}, bool askAgain = false) {
        return chooser().choose(commandLine, askAgain);
    }
    // The first start picks `folder` in the folder dialog.
    void rememberByPicking(const QString& folder) {
        dialogs.choiceAnswers.enqueue(PickFolder);
        dialogs.fileAnswers.enqueue(folder);
        ASSERT_EQ(start(), folder);
    }

    TempFolder root;
    RecordingDialogs dialogs;
};

const QString kFirstQuestion = QStringLiteral("リーグのフォルダを選んでください。");

} // namespace

TEST_F(StartFolderTest, FirstStartAsksAndRemembersThePickedFolder) {
    rememberByPicking(league());
    EXPECT_EQ(dialogs.choices, QStringList{kFirstQuestion});
    EXPECT_EQ(dialogs.lastOptions,
              (QStringList{QStringLiteral("フォルダを選ぶ..."),
                           QStringLiteral("サンプルリーグを作る"), QStringLiteral("終了")}));
    EXPECT_TRUE(dialogs.questions.isEmpty()); // the folder has its settings file
    EXPECT_EQ(chooser().rememberedFolder(), league());

    // The next start opens it without a question.
    dialogs.choices.clear();
    EXPECT_EQ(start(), league());
    EXPECT_TRUE(dialogs.choices.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(StartFolderTest, CommandLineAndCurrentFolderWinOverTheRememberedOne) {
    rememberByPicking(league());
    dialogs.choices.clear();

    // The current folder without settings file gives way to the remembered one;
    // with one, it wins.
    EXPECT_EQ(start(), league());
    // A link leading nowhere in its place still marks the folder: the settings
    // reader then refuses it with a message rather than it being passed over.
    // Windows gives symbolic links only to privileged users: without one, this
    // case is left out.
    std::error_code noLink;
    std::filesystem::create_symlink("nowhere.ini", root.file("cwd/Tenvoll.ini"), noLink);
    if (!noLink) {
        EXPECT_EQ(start(), current());
    }
    std::filesystem::remove(root.file("cwd/Tenvoll.ini"), noLink);
    test::writeCp932(root.file("cwd/Tenvoll.ini"), "[Main]\n");
    EXPECT_EQ(start(), current());

    // A folder on the command line wins over both, with or without settings,
    // and is not remembered.
    EXPECT_EQ(start(at("empty")), at("empty"));
    EXPECT_EQ(start(at("empty") + QStringLiteral("/../empty/")), at("empty"));
    EXPECT_TRUE(dialogs.choices.isEmpty());
    EXPECT_EQ(chooser().rememberedFolder(), league());

    // --choose-folder asks although both are there.
    dialogs.choiceAnswers.enqueue(Quit);
    EXPECT_EQ(start({}, true), std::nullopt);
    EXPECT_EQ(dialogs.choices, QStringList{kFirstQuestion});
    EXPECT_EQ(chooser().rememberedFolder(), league());
}

TEST_F(StartFolderTest, MissingFoldersAreToldAndNeverTakenForEmptyOnes) {
    // A folder named on the command line that is not there ends the start.
    EXPECT_EQ(start(at("nowhere")), std::nullopt);
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("指定されたフォルダが見つかりません。")});
    EXPECT_EQ(dialogs.details.last(), QDir::toNativeSeparators(at("nowhere")));
    EXPECT_TRUE(dialogs.choices.isEmpty());

    // A remembered folder that has gone (an unplugged drive) is told, then asked for.
    dialogs.questionAnswers.enqueue(true); // a folder without settings file
    rememberByPicking(at("empty"));
    ASSERT_TRUE(QDir(at("empty")).removeRecursively());
    dialogs.messages.clear();
    dialogs.choices.clear();
    dialogs.choiceAnswers.enqueue(Quit);
    EXPECT_EQ(start(), std::nullopt);
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("前回のリーグのフォルダが見つかりません。"
                                         "リーグのフォルダを選び直してください。")});
    EXPECT_EQ(dialogs.choices, QStringList{kFirstQuestion});
    EXPECT_EQ(chooser().rememberedFolder(), at("empty")); // kept for when it is back
}

TEST_F(StartFolderTest, AFolderWithoutSettingsFileIsTakenOnlyWhenConfirmed) {
    // Declined, then the dialog cancelled: asked again each time, until "終了".
    dialogs.choiceAnswers << PickFolder << PickFolder << Quit;
    dialogs.fileAnswers << at("empty") << std::nullopt;
    dialogs.questionAnswers.enqueue(false);
    EXPECT_EQ(start(), std::nullopt);
    EXPECT_EQ(dialogs.choices.size(), 3);
    EXPECT_EQ(dialogs.questions,
              QStringList{QStringLiteral("このフォルダには設定ファイル Tenvoll.ini がありません。"
                                         "このフォルダで新しいリーグを始めますか？")});
    EXPECT_EQ(chooser().rememberedFolder(), QString());
    EXPECT_FALSE(QFileInfo::exists(config()));

    // Confirmed: the new league starts there.
    dialogs.questionAnswers.enqueue(true);
    rememberByPicking(at("empty"));
    EXPECT_EQ(chooser().rememberedFolder(), at("empty"));
}

TEST_F(StartFolderTest, TheSampleLeagueIsCreatedOnceAndOpensInTheMainWindow) {
    dialogs.choiceAnswers.enqueue(CreateSample);
    ASSERT_EQ(start(), sample());
    EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.details.join(u'\n').toStdString();
    EXPECT_EQ(chooser().rememberedFolder(), sample());
    {
        TForm1 w(QDir::toNativeSeparators(sample()).toStdString());
        EXPECT_FALSE(w.windowTitle().isEmpty());
        EXPECT_NE(w.windowTitle(), QStringLiteral("ボルタナ選手名鑑")); // the sample league's name
        EXPECT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages.join(u'\n').toStdString();
    }

    // Asked for again, the sample that is there is opened as it is: the user's
    // changes to it stay.
    const std::string settings = root.file("data/sample-league/Tenvoll.ini");
    test::writeBytes(settings, "[Main]\r\n");
    const auto before = test::snapshotFolder(root.file("data"));
    dialogs.choiceAnswers.enqueue(CreateSample);
    EXPECT_EQ(start({}, true), sample());
    EXPECT_EQ(test::snapshotFolder(root.file("data")), before);
}

TEST_F(StartFolderTest, SampleIsNotWrittenOverOtherFiles) {
    // Someone else's files where the sample would go (or a sample cut off
    // before its settings file was written): nothing is written there.
    test::writeBytes(root.file("data/sample-league/memo.txt"), "mine");
    const auto before = test::snapshotFolder(root.file("data"));
    dialogs.choiceAnswers << CreateSample << Quit;
    EXPECT_EQ(start(), std::nullopt);
    EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral(
                                    "サンプルリーグを作る場所に、ほかのファイルがあります。"
                                    "このフォルダを移すか削除してから、もう一度お試しください。")});
    EXPECT_EQ(test::snapshotFolder(root.file("data")), before);
    EXPECT_EQ(dialogs.choices.size(), 2);
}

TEST_F(StartFolderTest, AChoiceThatCannotBeRememberedStillStarts) {
    // The configuration folder is a file: the choice cannot be saved.
    test::writeBytes(root.file("config"), "");
    dialogs.choiceAnswers.enqueue(PickFolder);
    dialogs.fileAnswers.enqueue(league());
    EXPECT_EQ(start(), league());
    EXPECT_EQ(dialogs.messages,
              QStringList{QStringLiteral("選んだフォルダを覚えておけませんでした。"
                                         "次に起動したときも、もう一度おたずねします。")});
    EXPECT_EQ(dialogs.details.last(), QDir::toNativeSeparators(config()));
}
