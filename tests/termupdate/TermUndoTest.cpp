// Undo and redo of term updates on the small league: every file back byte for
// byte (inside and outside the league folder), refusals that change nothing,
// two undos in a row, a crash at every rename of an undo, and the batch twins.
#include "SmallLeague.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/Recovery.h"
#include "league/Sha256.h"
#include "support/BatchRun.h"
#include "termupdate/TermUndo.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace tenvoll;
using namespace tenvoll::test;

namespace {

using Snapshot = std::vector<std::pair<std::string, std::string>>;

// Every file of the program folder except the backup folders.
Snapshot leagueState(const SmallLeague& league) {
    Snapshot all = snapshotFolder(league.programFolder());
    std::erase_if(all, [](const auto& f) { return f.first.starts_with("league/バックアップ/"); });
    return all;
}

void update(const SmallLeague& league, long long term) {
    RecordingReporter reporter;
    runTermUpdate(league.input(term), reporter);
}

UndoPreview undo(const SmallLeague& league) {
    return runUndo(league.programFolder(), "テストリーグ", UndoAction::Undo);
}

UndoPreview redo(const SmallLeague& league) {
    return runUndo(league.programFolder(), "テストリーグ", UndoAction::Redo);
}

// The refusal's message, or "" when the action went through.
std::string refusal(const SmallLeague& league, UndoAction action) {
    try {
        runUndo(league.programFolder(), "テストリーグ", action);
    } catch (const LeagueError& e) {
        return e.what();
    }
    return "";
}

std::string manifestOf(const SmallLeague& league, const std::string& folder) {
    return readCp932(league.path("league/バックアップ/" + folder + "/目録.ini"));
}

} // namespace

TEST(TermUndo, UndoPutsEveryFileBackAndRedoTheUpdate) {
    SmallLeague league;
    const Snapshot before = leagueState(league);
    update(league, 5);
    const Snapshot updated = leagueState(league);
    ASSERT_NE(updated, before);
    // The update's manifest: its term, tool and every file it wrote or removed.
    const std::string manifest = manifestOf(league, "0005期更新前");
    for (const char* part :
         {"種類=期更新\n", "期=5\n", "ツール=標準\n", "機構名=テストリーグ\n", "状態=有効\n",
          "パス=\\league\\reds.txt\nバックアップ=reds.txt\n",
          "パス=\\league\\データ\\0004期未契約選手.txt\nバックアップ=\n変更前=\n",
          "パス=\\temp\\新人.txt\nバックアップ=プログラムフォルダ\\temp\\新人.txt\n"})
        EXPECT_NE(manifest.find(part), std::string::npos) << part << "\n" << manifest;

    const UndoPreview preview =
        previewUndo(league.programFolder(), "テストリーグ", UndoAction::Undo);
    EXPECT_EQ(leagueState(league), updated); // a preview writes nothing
    const std::string text = undoPreviewText(preview);
    EXPECT_NE(text.find("5期の期更新"), std::string::npos);
    EXPECT_NE(text.find("削除: \\league\\データ\\0004期未契約選手.txt"), std::string::npos) << text;
    EXPECT_NE(text.find("復元: \\league\\blues.txt"), std::string::npos);
    EXPECT_NE(text.find("復元 (作成): \\temp\\新人.txt"), std::string::npos);

    const UndoPreview done = undo(league);
    EXPECT_EQ(leagueState(league), before);
    EXPECT_EQ(done.keptFolder, league.path("league/バックアップ/0005期取り消し前"));
    EXPECT_NE(manifestOf(league, "0005期更新前").find("状態=取り消し済み\n"), std::string::npos);
    EXPECT_NE(manifestOf(league, "0005期取り消し前").find("種類=取り消し\n"), std::string::npos);
    EXPECT_EQ(readBytes(done.keptFolder + "/reds.txt"),
              readBytes(league.expected("league/reds.txt")));
    EXPECT_EQ(refusal(league, UndoAction::Undo), "取り消せる期更新がありません。");

    redo(league);
    EXPECT_EQ(leagueState(league), updated);
    EXPECT_EQ(refusal(league, UndoAction::Redo), "やり直せる取り消しがありません。");
    // Undone again, it keeps the updated files in a folder of its own.
    EXPECT_EQ(undo(league).keptFolder, league.path("league/バックアップ/0005期取り消し前(2)"));
    EXPECT_EQ(leagueState(league), before);
}

TEST(TermUndo, TwoUndosGoBackTwoTermsAndANewUpdateEndsTheRedo) {
    SmallLeague league;
    const Snapshot original = leagueState(league);
    update(league, 5);
    const Snapshot five = leagueState(league);
    update(league, 6);
    const Snapshot six = leagueState(league);

    EXPECT_EQ(undo(league).term, 6);
    EXPECT_EQ(leagueState(league), five);
    EXPECT_EQ(undo(league).term, 5);
    EXPECT_EQ(leagueState(league), original);
    // Redone in the opposite order.
    EXPECT_EQ(redo(league).term, 5);
    EXPECT_EQ(leagueState(league), five);
    EXPECT_EQ(redo(league).term, 6);
    EXPECT_EQ(leagueState(league), six);

    // An undo followed by a new update cannot be redone any more.
    undo(league);
    update(league, 6);
    EXPECT_EQ(refusal(league, UndoAction::Redo), "やり直せる取り消しがありません。");
}

TEST(TermUndo, AFileChangedSinceRefusesTheUndoOrRedoNamingItAndChangesNothing) {
    SmallLeague league;
    const Snapshot original = leagueState(league);
    update(league, 5);
    const std::string reds = readBytes(league.path("league/reds.txt"));
    const std::string top10 = readBytes(league.path("temp/Top10.txt"));
    writeBytes(league.path("league/reds.txt"), reds + "x=1\r\n");
    std::filesystem::remove(league.path("temp/Top10.txt"));
    const Snapshot edited = snapshotFolder(league.programFolder());

    const std::string message = refusal(league, UndoAction::Undo);
    EXPECT_NE(message.find("5期の期更新の後に次のファイルが変更されているため、取り消せません。"),
              std::string::npos)
        << message;
    EXPECT_NE(message.find("\n  \\league\\reds.txt (内容が変わっています)"), std::string::npos)
        << message;
    EXPECT_NE(message.find("\n  \\temp\\Top10.txt (ありません)"), std::string::npos) << message;
    EXPECT_EQ(message.find("blues.txt"), std::string::npos) << message;
    EXPECT_EQ(snapshotFolder(league.programFolder()), edited);

    // Put back as the update wrote them, the undo goes through; a file made
    // or edited after the undo refuses the redo the same way.
    writeBytes(league.path("league/reds.txt"), reds);
    writeBytes(league.path("temp/Top10.txt"), top10);
    undo(league);
    EXPECT_EQ(leagueState(league), original);
    writeBytes(league.path("league/データ/0004期未契約選手.txt"), "[誰か]\r\n");
    const Snapshot afterUndo = snapshotFolder(league.programFolder());
    const std::string redoMessage = refusal(league, UndoAction::Redo);
    EXPECT_NE(redoMessage.find("\\league\\データ\\0004期未契約選手.txt (あとから作られています)"),
              std::string::npos)
        << redoMessage;
    EXPECT_EQ(snapshotFolder(league.programFolder()), afterUndo);
}
