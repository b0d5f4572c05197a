// tenvoll-batch convert, convert-unsigned and retotal: exit codes, messages,
// and nothing written when a command fails.
#include "app/batch/BatchCommand.h"
#include "league/FileAccess.h"
#include "league/IniStore.h"
#include "league/TeamFile.h"
#include "support/BatchRun.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace tenvoll;
using tenvoll::test::BatchRun;
using tenvoll::test::TempFolder;

namespace {

class FileCommands : public ::testing::Test {
protected:
    void TearDown() override { WriteFaults::reset(); }

    BatchRun run(std::vector<std::string> args) {
        return test::runBatchIn(dir.path(), std::move(args));
    }
    std::string fixtureCopy(const std::string& name, const std::string& as) {
        std::string path = dir.file(as);
        test::writeBytes(path, test::readBytes(test::fixture("conversion/" + name)));
        return path;
    }

    TempFolder dir;
};

const char* const kStaleTeam =
    "[Team]\n1軍チーム名=  甲 甲 ◆ 甲球場\nツール=標準\n0=P 投手一\n"
    "[投手一]\n新規=3\n最終=4\nツール=標準\nコメント=\n投手=1\n通算成績=古い値\n"
    "0003成績=投手一 甲 4.22 5 0 1 2 0 0 10 2 12 1 4 10 5 .333 8.44 \n"
    "0004成績=\n";

} // namespace

TEST_F(FileCommands, ConvertRewritesAnOldTeamFile) {
    std::string path = fixtureCopy("old-team-two-unregistered.txt", "L/team01.txt");
    BatchRun r = run({"convert", "\\L\\team01.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, path + "を変換しました。\n");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(isTeamFile(IniStore::load(path)));

    // A second run finds a team file and leaves it alone.
    std::string converted = test::readBytes(path);
    r = run({"convert", "\\L\\TEAM01.TXT"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "すでにチームファイルの形式です。変換しませんでした。\n" + path + "\n");
    EXPECT_EQ(test::readBytes(path), converted);
}

TEST_F(FileCommands, FailuresExitOneAndWriteNothing) {
    fixtureCopy("old-team-55-players.txt", "L/team01.txt");
    std::string broken = kStaleTeam;
    broken.replace(broken.find("0004成績=\n"), std::string("0004成績=\n").size(),
                   "0004成績=x y 1.00 1 0 0 0 0 0 Z 0 0 0 0 0 0 .000 0.00 \n");
    test::writeCp932(dir.file("L/bad.txt"), broken);
    test::writeCp932(dir.file("L/old.txt"), "D 打者 右 普 ; 25 ; ; 3\n");
    auto before = test::snapshotFolder(dir.path());

    BatchRun r = run({"convert", "\\L\\team01.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("ファイル変換Error\n")) << r.err;

    r = run({"retotal", "\\L\\bad.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("選手「投手一」の通算成績を計算できません。"), std::string::npos) << r.err;

    r = run({"retotal", "\\L\\old.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with("チームファイルではありません")) << r.err;

    r = run({"convert", "\\L\\none.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "ファイルが存在しません！\n" + dir.file("L/none.txt") + "\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);
}

TEST_F(FileCommands, UsageErrorsExitTwo) {
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"convert"}, "missing FILE\nusage: tenvoll-batch convert FILE\n"},
        {{"retotal", "a", "b"}, "unexpected argument: b\nusage: tenvoll-batch retotal FILE\n"},
        {{"convert-unsigned", "--force", "a"},
         "unknown option: --force\nusage: tenvoll-batch convert-unsigned FILE\n"},
        {{"no-such-command"}, "unknown command: no-such-command (see tenvoll-batch --help)\n"},
    };
    for (const auto& c : cases) {
        BatchRun r = run(c.args);
        EXPECT_EQ(r.status, 2) << c.err;
        EXPECT_EQ(r.err, c.err);
    }
    std::ostringstream out, err;
    EXPECT_EQ(batch::runBatch({}, out, err), 2);
    EXPECT_EQ(batch::runBatch({"--program-folder"}, out, err), 2);
    EXPECT_EQ(batch::runBatch({"--help"}, out, err), 0);
    EXPECT_NE(out.str().find("convert-unsigned FILE"), std::string::npos);
}

TEST_F(FileCommands, ConvertUnsignedWritesTheFourDigitFileOnce) {
    std::string old = fixtureCopy("007期未契約選手.txt", "L/データ/007期未契約選手.txt");
    BatchRun r = run({"convert-unsigned", "\\L\\データ\\007期未契約選手.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string written = dir.file("L/データ/0007期未契約選手.txt");
    EXPECT_EQ(r.out, old + "を変換しました。\n" + written + "\n");
    EXPECT_EQ(IniStore::load(written).value("引退一", "新規"), "6");

    auto before = test::snapshotFolder(dir.path());
    r = run({"convert-unsigned", "\\L\\データ\\007期未契約選手.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.starts_with(old + "の変換Error\n")) << r.err;
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);
}

TEST_F(FileCommands, RetotalRewritesOnlyTheCareerTotals) {
    test::writeCp932(dir.file("L/team.txt"), kStaleTeam);
    WriteFaults::failWrite(1);
    BatchRun r = run({"retotal", "\\L\\team.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(test::readCp932(dir.file("L/team.txt")), kStaleTeam);

    WriteFaults::reset();
    r = run({"retotal", "\\L\\team.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("L/team.txt") + " の通算成績を再計算しました。\n");
    EXPECT_EQ(test::readCp932(dir.file("L/team.txt")),
              "[Team]\n1軍チーム名=  甲 甲 ◆ 甲球場\nツール=標準\n0=P 投手一\n"
              "[投手一]\n新規=3\n最終=4\nツール=標準\nコメント=\n投手=1\n"
              "通算成績=投手一 甲 4.22 5 0 1 2 0 0 10 2 12 1 4 10 5 0.33 8.44 \n"
              "0003成績=投手一 甲 4.22 5 0 1 2 0 0 10 2 12 1 4 10 5 .333 8.44 \n"
              "0004成績=\n");
}

// Counts too big for the career totals end in a Japanese message and exit 1,
// never in a wrapped total, and nothing is written;
// anything unexpected (memory exhausted) is told in Japanese too.
TEST_F(FileCommands, HugeCountsAndUnexpectedFailuresEndInJapanese) {
    const std::string line = "名 チ .300 9223372036854775807 1 1 0 0 0 0 0 0 0 0 0 .3 .3 ";
    const std::string team = "[Team]\n0=7 名\n[名]\n新規=1\n最終=2\n投手=0\n0001成績=" + line +
                             "\n0002成績=" + line + "\n";
    test::writeCp932(dir.file("team.txt"), team);
    auto before = test::snapshotFolder(dir.path());
    BatchRun huge = run({"retotal", "\\team.txt"});
    EXPECT_EQ(huge.status, 1);
    EXPECT_NE(huge.err.find("大きすぎて"), std::string::npos) << huge.err;
    EXPECT_EQ(test::snapshotFolder(dir.path()), before);

    for (const auto& [thrown, text] :
         std::vector<std::pair<int, std::string>>{{0, "メモリが足りないため中止しました。"},
                                                  {1, "予期しないエラーのため中止しました。"}}) {
        try {
            if (thrown == 0)
                throw std::bad_alloc();
            throw 42;
        } catch (...) {
            EXPECT_EQ(batch::unexpectedFailureText(), text);
        }
    }
}
