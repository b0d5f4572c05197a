// tenvoll-batch report: the current league of the program folder's
// "Tenvoll.ini" as a folder of static web pages.
#include "app/batch/BatchCommand.h"

#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/Settings.h"
#include "report/LeagueReport.h"

#include <ostream>

namespace tenvoll::batch {

namespace {

// The ranking's messages come back as warnings; status texts are not printed.
class QuietProgress : public report::ReportProgress {};

int reportCommand(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    a.expectPositionals(1);
    const std::string out = c.argumentPath(a.positional(0, "OUT_DIR"));
    QuietProgress progress;
    report::ReportOutcome outcome;
    {
        FolderLock lock = FolderLock::acquire(c.programFolder, FolderLock::Mode::Shared);
        Settings settings(c.programFolder);
        settings.load();
        outcome = report::writeLeagueReport(report::reportLeague(settings, settings.leagueName()),
                                            out, progress);
    }
    for (const std::string& n : outcome.notes)
        c.err << n << "\n";
    for (const std::string& w : outcome.warnings)
        c.err << w << "\n";
    c.err << "Webページ出力終了！ " << outcome.files << "ファイル " << outcome.indexPath << "\n";
    // A team left out makes the pages incomplete.
    return outcome.warnings.empty() ? kSuccess : kFailure;
}

} // namespace

void addReportCommands(std::vector<BatchCommand>& table) {
    table.push_back({"report", "OUT_DIR",
                     "現在の機構をWebページ (index.html、チーム、選手、記録) としてフォルダに出力",
                     reportCommand});
}

} // namespace tenvoll::batch
