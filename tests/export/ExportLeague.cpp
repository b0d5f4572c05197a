// The export tests' program folder.
#include "ExportLeague.h"

#include "export/LeagueExport.h"
#include "league/FileAccess.h"
#include "league/Paths.h"
#include "league/Settings.h"

namespace tenvoll::test {

ExportTeamList ExportLeague::teamList() const {
    Settings settings(folder.path());
    settings.load();
    return ExportTeamList(folder.path(), exportRegistryRows(settings.ini()));
}

void ExportLeague::makeNextSeasonCopy(std::string_view teamFile) const {
    copyFileReplacing(folder.file(teamFile), folder.file(nextSeasonCopyPath(teamFile)));
}

std::string ExportLeague::exportBytes(const ExportTeamList& list) const {
    const std::string out = folder.file("出力.txt");
    writeLeagueExport(out, buildLeagueExport(folder.path(), list.exportSlots()));
    return readBytes(out);
}

std::string ExportLeague::expected(std::string_view name) {
    return readBytes(fixture("export_league/expected/" + std::string(name)));
}

} // namespace tenvoll::test
