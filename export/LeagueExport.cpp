// The league export file: team blocks from the slots' stores, and its saving.
#include "export/LeagueExport.h"

#include "league/FileAccess.h"
#include "league/FolderLock.h"
#include "league/GameText.h"
#include "league/IniText.h"
#include "league/Kyoutuu.h"
#include "league/LeagueError.h"
#include "league/Paths.h"
#include "league/Platform.h"
#include "league/Settings.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"

#include <filesystem>
#include <optional>

namespace tenvoll {

namespace {

constexpr std::string_view kTeamSection = "Team";
constexpr int kHalfSlots = 28;

struct HalfKeys {
    std::string_view name, uniform, manager;
};
// The farm block reads its own keys but writes the same error markers.
constexpr HalfKeys kHalfKeys[2] = {
    {"1軍チーム名", "1軍UNIFORM", "1軍監督"},
    {"2軍チーム名", "2軍UNIFORM", "2軍監督"},
};

// Bytes of the first UTF-8 character of `s` (0 for an empty text).
std::size_t firstCharacterLength(std::string_view s) {
    if (s.empty())
        return 0;
    const auto lead = static_cast<unsigned char>(s[0]);
    std::size_t n = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return std::min(n, s.size());
}

std::string joinedFullPath(const std::string& programFolder, std::string_view stored) {
    return resolvePath(joinProgramFolder(programFolder, stored));
}

} // namespace

std::string exportSourcePath(const std::string& programFolder, const ExportSlot& slot) {
    return joinedFullPath(programFolder, slot.latest ? nextSeasonCopyPath(slot.path) : slot.path);
}

bool nextSeasonCopyExists(const std::string& programFolder, std::string_view storedPath) {
    return fileExists(joinedFullPath(programFolder, nextSeasonCopyPath(storedPath)));
}

std::string exportPlayerLine(const IniStore& store, std::string_view entry, bool latest) {
    const std::vector<std::string> fields = splitFields(entry);
    if (fields.size() < 2)
        return {};
    const IniSection* player = store.section(fields[1]);
    const long long last = player ? player->integer("最終", 0) : 0;
    const long long term = latest ? last : last - 1;
    auto part = [&](std::string_view what) {
        const std::string_view* v = player ? player->find(termKey(term, what)) : nullptr;
        return std::string(v ? *v : std::string_view(kNoDataText));
    };
    std::string line = part(kAbility) + " ; " + part(kAptitude);
    // The stored ability text starts with the player's position of that term;
    // the file shows the position of the roster entry instead.
    const std::string& position = fields[0];
    line.replace(0, firstCharacterLength(line), position.substr(0, firstCharacterLength(position)));
    return line;
}

std::vector<std::string> exportTeamBlock(const IniStore& store, int half, bool latest) {
    const IniSection* team = store.section(kTeamSection);
    const HalfKeys& keys = kHalfKeys[half];
    // A stored header value keeps the game line's leading blanks; the block
    // writes its own two, so they are trimmed (else they would grow by two at
    // every export and term update). An empty value gets the error marker too:
    // a blank line would be skipped by the game's reader.
    auto header = [&](std::string_view key) {
        const std::string_view* v = team ? team->find(key) : nullptr;
        return v ? std::string(trimIniBlanks(*v)) : std::string();
    };
    GameTeamBlock block{header(keys.name), header(keys.uniform), header(keys.manager), {}};
    block.playerLines.reserve(kHalfSlots);
    for (int k = half * kHalfSlots; k < (half + 1) * kHalfSlots; ++k)
        block.playerLines.push_back(
            team ? exportPlayerLine(store, team->value(std::to_string(k)), latest) : std::string());
    return gameTeamBlockLines(block);
}

LeagueExportFile buildLeagueExport(const std::string& programFolder,
                                   const ExportSlots& exportSlots) {
    LeagueExportFile file;
    std::array<std::optional<IniStore>, kExportSlotCount> stores;
    {
        FolderLock lock = FolderLock::acquire(programFolder, FolderLock::Mode::Shared);
        for (int n = 0; n < kExportSlotCount; ++n) {
            const ExportSlot& slot = exportSlots[std::size_t(n)];
            if (!slot.assigned())
                continue;
            ++file.assignedSlots;
            // The file the slot reads must exist (for latest data the next-season
            // copy, which may have been removed since the slot was assigned).
            const std::string source = exportSourcePath(programFolder, slot);
            if (!fileExists(joinedFullPath(programFolder, slot.path)) || !fileExists(source)) {
                file.leftOut.push_back(slot.teamName.empty() ? slot.path : slot.teamName);
                continue;
            }
            stores[std::size_t(n)] = IniStore::load(source);
            ++file.exportedSlots;
        }
    }
    for (int half = 0; half < 2; ++half)
        for (int n = 0; n < kExportSlotCount; ++n)
            if (const auto& store = stores[std::size_t(n)]) {
                std::vector<std::string> block =
                    exportTeamBlock(*store, half, exportSlots[std::size_t(n)].latest);
                file.lines.insert(file.lines.end(), std::make_move_iterator(block.begin()),
                                  std::make_move_iterator(block.end()));
            }
    return file;
}

void writeLeagueExport(const std::string& outputPath, const LeagueExportFile& file) {
    writeTextFileAtomic(outputPath, joinCrlf(file.lines));
}

std::string leftOutNote(const std::vector<std::string>& teamNames) {
    if (teamNames.empty())
        return {};
    std::string note = "ファイルが見つからなかったため出力されなかったチーム: ";
    for (std::size_t i = 0; i < teamNames.size(); ++i)
        note += (i ? "、" : "") + teamNames[i];
    return note;
}

std::string exportDoneMessage(const LeagueExportFile& file) {
    std::string text(kExportDoneMessage);
    if (!file.leftOut.empty())
        text += "\n" + leftOutNote(file.leftOut);
    return text;
}

std::string nothingFoundMessage(const LeagueExportFile& file) {
    return "選択されたチームのファイルが見つかりませんでした。\n" + leftOutNote(file.leftOut);
}

} // namespace tenvoll
