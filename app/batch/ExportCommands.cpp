// tenvoll-batch export: the league export window's operation. The --slot
// arguments are applied in order as the window's pop-up menu would apply them;
// the file is written to OUT without a dialog.
#include "app/batch/BatchCommand.h"

#include "export/ExportTeamList.h"
#include "export/LeagueExport.h"
#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/OutputTarget.h"
#include "league/Settings.h"

#include <algorithm>
#include <ostream>

namespace tenvoll::batch {

namespace {

struct SlotArgument {
    int slotNumber = 0;
    std::string path;
    bool latest = false;
};

// "N:REL_PATH[:latest|:previous]"; the path may itself hold colons.
SlotArgument parseSlot(const std::string& text) {
    const std::size_t colon = text.find(':');
    const auto number =
        colon == std::string::npos ? std::nullopt : parseInteger(text.substr(0, colon));
    if (!number || *number < 1 || *number > kExportSlotCount)
        throw UsageError{"--slot must be N:REL_PATH[:latest|:previous] with N from 1 to 6: " +
                         text};
    SlotArgument slot{int(*number), text.substr(colon + 1), false};
    for (const auto& [suffix, latest] :
         {std::pair<std::string_view, bool>{":latest", true}, {":previous", false}})
        if (slot.path.ends_with(suffix)) {
            slot.path.resize(slot.path.size() - suffix.size());
            slot.latest = latest;
            break;
        }
    if (slot.path.empty())
        throw UsageError{"--slot needs the team file's path: " + text};
    return slot;
}

IniStore readSettings(const std::string& programFolder) {
    FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Shared);
    Settings settings(programFolder);
    settings.load();
    return settings.ini();
}

int exportLeague(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {"--slot"});
    a.expectPositionals(1);
    const std::string out = c.argumentPath(a.positional(0, "OUT"));
    std::vector<SlotArgument> slotArguments;
    for (const std::string& text : a.values("--slot"))
        slotArguments.push_back(parseSlot(text));

    const IniStore settings = readSettings(c.programFolder);
    ExportTeamList list(c.programFolder, exportRegistryRows(settings));
    for (const SlotArgument& s : slotArguments) {
        const long long row = list.findPath(s.path);
        if (row < 0)
            throw LeagueError("リーグに登録されていないチームファイルです。", s.path);
        if (!s.latest)
            list.assignPrevious(std::size_t(row), s.slotNumber);
        else if (std::string missing = list.assignLatest(std::size_t(row), s.slotNumber);
                 !missing.empty())
            c.err << missing << "\n";
    }
    if (std::none_of(list.exportSlots().begin(), list.exportSlots().end(),
                     [](const ExportSlot& s) { return s.assigned(); })) {
        c.err << kNoSlotMessage << "\n";
        return kFailure;
    }
    const LeagueExportFile file = buildLeagueExport(c.programFolder, list.exportSlots());
    if (file.exportedSlots == 0) {
        c.err << nothingFoundMessage(file) << "\n";
        return kFailure;
    }
    checkOutputTarget(c.programFolder, settings, out);
    writeLeagueExport(out, file);
    c.out << kExportDoneMessage << "\n";
    if (!file.leftOut.empty())
        c.err << leftOutNote(file.leftOut) << "\n";
    return kSuccess;
}

} // namespace

void addExportCommands(std::vector<BatchCommand>& table) {
    table.push_back({"export", "OUT --slot N:REL_PATH[:latest|:previous] ...",
                     "リーグデータ出力: 指定したチームをゲームのチームテキスト形式で OUT に書く",
                     exportLeague});
}

} // namespace tenvoll::batch
