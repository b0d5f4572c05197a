// tenvoll-batch league: a second league made, filled from a folder, switched
// to and deleted again from the command line; exit codes and what is printed.
#include "app/batch/BatchCommand.h"
#include "league/Settings.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

struct CommandRun {
    int status;
    std::string out;
    std::string err;
};

class LeagueBatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeCp932(folder.file("Tenvoll.ini"),
                   lines({"[Main]", "機構名=Aリーグ", "[Aリーグ]", "機構名=", "チーム数=1",
                          "チーム名0=レッズ,レッズ二軍,\\A\\reds.txt"}));
        for (auto [file, first] :
             {std::pair{"B/b.txt", "ブルーズ"}, {"B/a b.txt", "エース"}, {"B/C.TXT", "キャップス"}})
            writeCp932(folder.file(file), lines({"[Team]", std::string("1軍チーム名=") + first,
                                                 std::string("2軍チーム名=") + first + "二軍"}));
        writeCp932(folder.file("B/notes.txt"), "メモ\n");
    }
    CommandRun run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--program-folder", folder.path(), "league"});
        std::ostringstream out, err;
        int status = batch::runBatch(args, out, err);
        return {status, out.str(), err.str()};
    }
    Settings settings() {
        Settings s(folder.path());
        s.load();
        return s;
    }
    TempFolder folder;
};

} // namespace

TEST_F(LeagueBatchTest, ASecondLeagueIsMadeFilledSwitchedAndDeleted) {
    CommandRun created = run({"switch", "Bリーグ"});
    EXPECT_EQ(created.status, 0) << created.err;
    EXPECT_EQ(settings().leagueName(), "Bリーグ");

    CommandRun bulk = run({"register-folder", "\\B"});
    EXPECT_EQ(bulk.status, 0) << bulk.err;
    EXPECT_EQ(bulk.out,
              "登録しました: a b.txt\n登録しました: b.txt\nBリーグ: チーム数 2 を保存しました。\n");
    EXPECT_EQ(bulk.err, "notes.txt: 選択されたファイルはチームファイルではありません！\n");
    std::vector<LeagueEntry> entries = settings().entries("Bリーグ");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].path, "\\B\\a b.txt");

    CommandRun shown = run({"show"});
    EXPECT_EQ(shown.out, lines({"機構:", "  Aリーグ", "* Bリーグ", "チーム数 2",
                                "0 エース,エース二軍,\"\\B\\a b.txt\"",
                                "1 ブルーズ,ブルーズ二軍,\\B\\b.txt"}));

    EXPECT_EQ(run({"add", "同じ", "同じ", "\\x.txt"}).status, 1);
    EXPECT_EQ(run({"replace", "1", "青", "青二軍", "\\B\\b.txt"}).status, 0);
    EXPECT_EQ(settings().entries("Bリーグ")[1].firstTeam, "青");

    CommandRun refused = run({"delete"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(settings().ini().hasSection("Bリーグ"));
    EXPECT_EQ(run({"remove", "5"}).status, 1);
    EXPECT_EQ(run({"remove", "x"}).status, 2);
    EXPECT_EQ(run({"remove", "1"}).status, 0);
    EXPECT_EQ(run({"remove", "0"}).status, 0);
    CommandRun deleted = run({"delete"});
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_FALSE(settings().ini().hasSection("Bリーグ"));
    EXPECT_EQ(settings().leagueName(), "Aリーグ");
}

TEST_F(LeagueBatchTest, TheLastLeagueIsNotDeletedAndUsageErrorsExitWithTwo) {
    EXPECT_EQ(run({"remove", "0"}).status, 0);
    const std::string before = readBytes(folder.file("Tenvoll.ini"));
    CommandRun last = run({"delete"});
    EXPECT_EQ(last.status, 1);
    EXPECT_EQ(last.err, "すべての機構を消去することはできません。\nAリーグ\n");
    EXPECT_EQ(readBytes(folder.file("Tenvoll.ini")), before);
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"rename"}).status, 2);
    EXPECT_EQ(run({"add", "a", "b"}).status, 2);
    EXPECT_EQ(run({"show", "extra"}).status, 2);
}
