// tenvoll-batch recover: puts the league back after an operation that a crash
// (kill, power loss) cut off between its renames.
#include "app/batch/BatchCommand.h"

#include "league/Recovery.h"

#include <ostream>

namespace tenvoll::batch {

namespace {

int recover(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    a.expectPositionals(0);
    std::vector<RecoveryOutcome> outcomes = recoverInterruptedOperations(c.programFolder);
    if (outcomes.empty()) {
        c.out << "途中で終了した操作はありませんでした。\n";
        return kSuccess;
    }
    c.out << recoveryMessage(outcomes) << "\n";
    return recoveryFailed(outcomes) ? kFailure : kSuccess;
}

} // namespace

void addRecoveryCommands(std::vector<BatchCommand>& table) {
    table.push_back({kRecoverCommand, "",
                     "途中で終了した最新データの追加などを取り消し、リーグを実行前の状態に戻す",
                     recover});
}

} // namespace tenvoll::batch
