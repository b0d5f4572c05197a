// Undo and redo of term updates on the small league: every file back byte for
// byte (inside and outside the league folder), refusals that change nothing,
// two undos in a row, a crash at every rename of an undo, and the batch twins.
#include "SmallLeague.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/Platform.h"
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
    std::filesystem::remove(platform::fsPath(league.path("temp/Top10.txt")));
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

// An undo cut off after k of its renames is put back by recovery to the
// league before the undo, backup folders and manifests included; cut off
// after it marked itself complete, it stays done.
TEST(TermUndo, RecoveryAfterACrashAtEveryRenameGivesTheLeagueBeforeTheUndo) {
    int renames = 0;
    {
        SmallLeague league;
        update(league, 5);
        WriteFaults::reset();
        undo(league);
        renames = WriteFaults::renamesSoFar();
        WriteFaults::reset();
    }
    ASSERT_GT(renames, 10);
    for (int k = 0; k <= renames + 1; ++k) {
        SCOPED_TRACE(k);
        SmallLeague league;
        const Snapshot original = leagueState(league);
        update(league, 5);
        const Snapshot before = snapshotFolder(league.programFolder());
        const auto folders = foldersBelow(league.programFolder());
        WriteFaults::reset();
        WriteFaults::crashAfterRenames(k);
        EXPECT_THROW(undo(league), SimulatedCrash);
        WriteFaults::reset();

        std::vector<RecoveryOutcome> outcomes =
            recoverInterruptedOperations(league.programFolder());
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_TRUE(outcomes[0].problems.empty());
        EXPECT_EQ(outcomes[0].operation, "期更新の取り消し (5期)");
        if (k <= renames) {
            EXPECT_EQ(snapshotFolder(league.programFolder()), before);
            EXPECT_EQ(foldersBelow(league.programFolder()), folders);
            undo(league); // recovered, the undo runs as if nothing had happened
        }
        EXPECT_EQ(leagueState(league), original);
    }
}

namespace {

struct DamageCase {
    std::string_view name;
    void (*damage)(const SmallLeague&);
    std::string_view message;
};

std::string updateManifestPath(const SmallLeague& league) {
    return league.path("league/バックアップ/0005期更新前/目録.ini");
}

void editManifest(const SmallLeague& league, std::string_view from, std::string_view to) {
    std::string text = readCp932(updateManifestPath(league));
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    writeCp932(updateManifestPath(league), text);
}

void damagedHash(const SmallLeague& league) {
    editManifest(league, "変更後=", "変更後=zz");
}
void fileOutside(const SmallLeague& league) {
    editManifest(league, "パス=\\league\\reds.txt", "パス=\\..\\reds.txt");
}
void fullPathOutside(const SmallLeague& league) {
    editManifest(league, "パス=\\league\\reds.txt", "パス=/tmp/reds.txt");
}
void backupEscapes(const SmallLeague& league) {
    editManifest(league, "バックアップ=reds.txt", "バックアップ=..\\..\\reds.txt");
}
void cutShort(const SmallLeague& league) {
    std::string text = readCp932(updateManifestPath(league));
    writeCp932(updateManifestPath(league), text.substr(0, text.find("[ファイル3]")));
}
void missingBackupFile(const SmallLeague& league) {
    std::filesystem::remove(
        platform::fsPath(league.path("league/バックアップ/0005期更新前/blues.txt")));
}
void alteredBackupFile(const SmallLeague& league) {
    writeBytes(league.path("league/バックアップ/0005期更新前/seiseki.ini"), "[1]\r\n");
}
void noManifest(const SmallLeague& league) {
    std::filesystem::remove(platform::fsPath(updateManifestPath(league)));
}

} // namespace

class TermUndoRefused : public ::testing::TestWithParam<DamageCase> {};

// A damaged manifest or backup refuses the undo (window engine and batch
// alike) with a message naming what is wrong, and no file changes.
TEST_P(TermUndoRefused, NamesTheFaultAndChangesNothing) {
    SmallLeague league;
    update(league, 5);
    GetParam().damage(league);
    const Snapshot before = snapshotFolder(league.programFolder());

    const std::string message = refusal(league, UndoAction::Undo);
    EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
    BatchRun run = runBatchIn(league.programFolder(), {"undo-term-update"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(GetParam().message), std::string::npos) << run.err;
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TermUndoRefused,
    ::testing::Values(
        DamageCase{"DamagedHash", damagedHash, "目録が壊れています ([ファイル1] のハッシュ zz"},
        DamageCase{"FileOutsideTheProgramFolder", fileOutside,
                   "プログラムフォルダの外のファイルがあるため、取り消せません: \\..\\reds.txt"},
        DamageCase{"FullPathOutsideTheProgramFolder", fullPathOutside,
                   "プログラムフォルダの外のファイルがあるため、取り消せません: /tmp/reds.txt"},
        DamageCase{"BackupNameLeavingItsFolder", backupEscapes,
                   "目録が壊れています (バックアップ=..\\..\\reds.txt)"},
        DamageCase{"ManifestCutShort", cutShort, "[ファイル3] がありません"},
        DamageCase{"MissingBackupFile", missingBackupFile,
                   "バックアップのファイルがないため、取り消せません: "},
        DamageCase{"AlteredBackupFile", alteredBackupFile, "目録の記録と違うため"},
        DamageCase{"BackupWithoutManifest", noManifest, "手で戻してください"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TermUndo, ASecondWriterRefusesTheUndo) {
    SmallLeague league;
    update(league, 5);
    const Snapshot before = snapshotFolder(league.programFolder());
    {
        FolderLock reader = FolderLock::acquire(league.programFolder(), FolderLock::Mode::Shared);
        EXPECT_NE(refusal(league, UndoAction::Undo).find("他の操作が"), std::string::npos);
    }
    EXPECT_EQ(snapshotFolder(league.programFolder()), before);
}

TEST(TermUndo, BatchListsBackupsAndUndoesWithDryRunFirst) {
    SmallLeague league;
    const Snapshot original = leagueState(league);
    EXPECT_NE(runBatchIn(league.programFolder(), {"backups"}).out.find("バックアップはありません"),
              std::string::npos);
    update(league, 5);
    std::filesystem::create_directories(
        platform::fsPath(league.path("league/バックアップ/0003期更新前")));
    writeBytes(league.path("league/バックアップ/0003期更新前/reds.txt"), "old");
    const Snapshot updated = leagueState(league);

    BatchRun list = runBatchIn(league.programFolder(), {"backups"});
    EXPECT_EQ(list.status, 0);
    EXPECT_NE(list.out.find("0005期更新前\t5\t"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("\t7\t期更新\t取り消し可\n"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("0003期更新前\t3\t"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("\t1\t—\t目録なし (手で戻す)\n"), std::string::npos) << list.out;

    BatchRun dry = runBatchIn(league.programFolder(), {"undo-term-update", "--dry-run"});
    EXPECT_EQ(dry.status, 0);
    EXPECT_NE(dry.out.find("5期の期更新 ("), std::string::npos) << dry.out;
    EXPECT_EQ(leagueState(league), updated);

    BatchRun done = runBatchIn(league.programFolder(), {"undo-term-update"});
    EXPECT_EQ(done.status, 0) << done.err;
    EXPECT_NE(done.out.find("5期の期更新を取り消しました (7 個のファイル)。"), std::string::npos)
        << done.out;
    EXPECT_EQ(leagueState(league), original);
    BatchRun again = runBatchIn(league.programFolder(), {"undo-term-update"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("取り消せる期更新がありません。"), std::string::npos) << again.err;
    EXPECT_NE(runBatchIn(league.programFolder(), {"backups"}).out.find("\t取り消し\tやり直し可\n"),
              std::string::npos);

    EXPECT_EQ(runBatchIn(league.programFolder(), {"redo-term-update"}).status, 0);
    EXPECT_EQ(leagueState(league), updated);
}

// A write or rename of the undo that fails (a full disk) puts back what the
// undo had already changed — removed files included — and says so.
TEST(TermUndo, AFailedWriteOrRenameLeavesTheUpdatedLeague) {
    int renames = 0, writes = 0;
    {
        SmallLeague league;
        update(league, 5);
        WriteFaults::reset();
        undo(league);
        renames = WriteFaults::renamesSoFar();
        writes = WriteFaults::writesSoFar();
        WriteFaults::reset();
    }
    SmallLeague league;
    update(league, 5);
    const Snapshot before = snapshotFolder(league.programFolder());
    for (auto [fault, count] :
         {std::pair{&WriteFaults::failWrite, writes}, std::pair{&WriteFaults::failRename, renames}})
        for (int k = 1; k <= count; ++k) {
            SCOPED_TRACE(k);
            WriteFaults::reset();
            fault(k);
            EXPECT_THROW(undo(league), LeagueError);
            WriteFaults::reset();
            EXPECT_EQ(snapshotFolder(league.programFolder()), before);
        }
}
