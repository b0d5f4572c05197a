// tenvoll-batch export: the same bytes as the window's engine, slot arguments
// applied in order, and nothing written when it fails.
#include "ExportLeague.h"

#include "app/batch/BatchCommand.h"
#include "league/FileAccess.h"

#include "support/BatchRun.h"

using namespace tenvoll;
using tenvoll::test::BatchRun;
using tenvoll::test::ExportLeague;

namespace {

class ExportBatch : public ExportLeague {
protected:
    BatchRun run(std::vector<std::string> args) {
        args.insert(args.begin(), "export");
        return test::runBatchIn(folder.path(), std::move(args));
    }
};

} // namespace

TEST_F(ExportBatch, WritesTheChosenTeams) {
    makeNextSeasonCopy("東/赤組.txt");
    const std::string out = folder.file("出力/リーグ.txt");
    createFolders(folder.file("出力"));
    // Later arguments for the same slot replace earlier ones; previous is the default.
    BatchRun r = run({out, "--slot", "3:\\東\\青組.txt", "--slot", "1:\\西\\白組.txt", "--slot",
                      "1:\\東\\赤組.txt:latest", "--slot=1:/東/赤組.TXT:previous"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "データエクスポート終了！\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(test::readBytes(out), expected("slots-1-and-3-previous.txt"));

    r = run({"\\出力\\最新.txt", "--slot", "2:\\東\\赤組.txt:latest"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(test::readBytes(folder.file("出力/最新.txt")), expected("slot-2-latest.txt"));
}

TEST_F(ExportBatch, NamesTheTeamsLeftOut) {
    BatchRun r = run({"\\out.txt", "--slot", "1:\\東\\赤組.txt", "--slot", "2:\\西\\緑組.txt",
                      "--slot", "4:\\東\\青組.txt:latest"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "青組の開幕データはありませんでした\n"
                     "ファイルが見つからなかったため出力されなかったチーム: 緑組\n");
    EXPECT_TRUE(fileExists(folder.file("out.txt")));
}

TEST_F(ExportBatch, FailsWithoutWriting) {
    run({"\\out.txt"}); // leaves the folder lock's file behind, nothing else
    const auto before = test::snapshotFolder(folder.path());
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"\\out.txt"},
         1,
         "選択されたチームはありませんでした。\nデータのエクスポートに失敗しました！\n"},
        {{"\\out.txt", "--slot", "1:\\東\\赤組.txt:latest"},
         1,
         "赤組の開幕データはありませんでした\n"
         "選択されたチームはありませんでした。\nデータのエクスポートに失敗しました！\n"},
        {{"\\out.txt", "--slot", "1:\\西\\緑組.txt"},
         1,
         "選択されたチームのファイルが見つかりませんでした。\n"
         "ファイルが見つからなかったため出力されなかったチーム: 緑組\n"},
        {{"\\out.txt", "--slot", "1:\\東\\黒組.txt"},
         1,
         "リーグに登録されていないチームファイルです。\n\\東\\黒組.txt\n"},
        {{"\\東\\青組.txt", "--slot", "1:\\東\\赤組.txt"}, 1, ""},
        {{"\\out.txt", "--slot", "7:\\東\\赤組.txt"}, 2, ""},
        {{"\\out.txt", "--slot", "\\東\\赤組.txt"}, 2, ""},
        {{"\\out.txt", "--slot", "1:"}, 2, ""},
    };
    for (const Case& c : cases) {
        BatchRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back() << r.err;
        if (!c.err.empty()) {
            EXPECT_EQ(r.err, c.err);
        }
        EXPECT_EQ(test::snapshotFolder(folder.path()), before) << c.args.back();
    }
}
