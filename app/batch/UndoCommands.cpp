// tenvoll-batch backups, undo-term-update and redo-term-update: the backup
// list of the term-update window and its undo and redo.
#include "app/batch/BatchCommand.h"

#include "league/Settings.h"
#include "termupdate/TermUndo.h"

#include <ostream>

namespace tenvoll::batch {

namespace {

std::string currentLeague(const BatchContext& c) {
    Settings settings(c.programFolder);
    settings.load();
    return settings.leagueName();
}

// One line per backup folder, newest first: name, term, time, files, state.
int backups(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    a.expectPositionals(0);
    BackupList list = listBackups(c.programFolder, currentLeague(c));
    if (list.entries.empty()) {
        c.out << "バックアップはありません: " << list.backupRoot << "\n";
        return kSuccess;
    }
    c.out << "フォルダ\t期\t日時\tファイル数\t種類\t状態\n";
    for (const auto& e : list.entries) {
        c.out << e.name << "\t" << (e.term >= 0 ? std::to_string(e.term) : "?") << "\t" << e.when
              << "\t" << e.fileCount << "\t" << backupKindText(e) << "\t" << backupStateText(e)
              << "\n";
        if (!e.problem.empty())
            c.out << "  " << e.problem << "\n";
    }
    return kSuccess;
}

int reverse(BatchContext& c, const std::vector<std::string>& args, UndoAction action) {
    ArgumentList a(args, {}, {"--dry-run"});
    a.expectPositionals(0);
    const std::string league = currentLeague(c);
    if (a.has("--dry-run")) {
        c.out << undoPreviewText(previewUndo(c.programFolder, league, action)) << "\n";
        return kSuccess;
    }
    c.out << undoDoneText(runUndo(c.programFolder, league, action)) << "\n";
    return kSuccess;
}

int undoTermUpdate(BatchContext& c, const std::vector<std::string>& args) {
    return reverse(c, args, UndoAction::Undo);
}

int redoTermUpdate(BatchContext& c, const std::vector<std::string>& args) {
    return reverse(c, args, UndoAction::Redo);
}

} // namespace

void addUndoCommands(std::vector<BatchCommand>& table) {
    table.push_back({"backups", "", "リーグのバックアップのフォルダを新しい順に一覧", backups});
    table.push_back({"undo-term-update", "[--dry-run]",
                     "直前の期更新を取り消す (--dry-run: 何をするかを表示するだけ)",
                     undoTermUpdate});
    table.push_back({"redo-term-update", "[--dry-run]",
                     "直前の取り消しをやり直す (--dry-run: 何をするかを表示するだけ)",
                     redoTermUpdate});
}

} // namespace tenvoll::batch
