// tenvoll-batch league: the organisation editor's operations on the league
// registry of the settings file. Every edit follows the window's rules and
// messages and then saves the entries as "更新して閉じる" does.
#include "app/batch/BatchCommand.h"

#include "league/FolderLock.h"
#include "league/LeagueError.h"
#include "league/Numbers.h"
#include "league/Settings.h"
#include "termupdate/LeagueOrganisation.h"

#include <ostream>

namespace tenvoll::batch {

namespace {

// The current league and the panes' files as the settings file records them.
struct Recorded {
    std::string league, team1, team2;
};

Recorded recorded(const BatchContext& c) {
    Settings settings(c.programFolder);
    FolderLock lock = FolderLock::acquire(c.programFolder, FolderLock::Mode::Shared);
    settings.load();
    return {settings.leagueName(), settings.team1(), settings.team2()};
}

// The editor opened on the current league; a league missing from the file is
// created under its recorded name, as a cancelled input box would.
LeagueOrganisation open(const BatchContext& c) {
    Recorded r = recorded(c);
    LeagueOrganisation organisation(c.programFolder);
    organisation.load(r.league, r.team1, r.team2, nullptr);
    return organisation;
}

std::size_t indexArgument(const std::string& text, const LeagueOrganisation& organisation) {
    std::optional<long long> index = parseInteger(text);
    if (!index || *index < 0)
        throw UsageError{"INDEX must be a whole number from 0"};
    if (static_cast<std::size_t>(*index) >= organisation.entries().size())
        throw LeagueError("その番号の項目はありません。",
                          "INDEX " + text + " (チーム数 " +
                              std::to_string(organisation.entries().size()) + ")");
    return static_cast<std::size_t>(*index);
}

void requireAccepted(EntryRefusal refusal) {
    if (refusal == EntryRefusal::EmptyField)
        throw LeagueError("球団名、ファーム球団名、ファイル名はどれも空にできません。");
    if (refusal != EntryRefusal::None)
        throw LeagueError(refusalMessage(refusal));
}

void save(BatchContext& c, LeagueOrganisation& organisation) {
    organisation.saveEntries();
    c.out << organisation.currentLeague() << ": チーム数 " << organisation.entries().size()
          << " を保存しました。\n";
}

int show(BatchContext& c, const ArgumentList& a) {
    a.expectPositionals(1);
    LeagueOrganisation organisation(c.programFolder);
    organisation.read(recorded(c).league);
    c.out << "機構:\n";
    for (const std::string& league : organisation.leagues())
        c.out << (league == organisation.currentLeague() ? "* " : "  ") << league << "\n";
    if (!organisation.hasLeague(organisation.currentLeague()))
        c.out << "* " << organisation.currentLeague() << " (設定ファイルにありません)\n";
    c.out << "チーム数 " << organisation.entries().size() << "\n";
    for (std::size_t i = 0; i < organisation.entries().size(); ++i)
        c.out << i << " " << organisation.entries()[i] << "\n";
    return kSuccess;
}

int add(BatchContext& c, const ArgumentList& a) {
    a.expectPositionals(4);
    EntryFields fields{a.positional(1, "FIRST"), a.positional(2, "FARM"),
                       c.argumentPath(a.positional(3, "PATH"))};
    LeagueOrganisation organisation = open(c);
    requireAccepted(organisation.addEntry(fields));
    save(c, organisation);
    return kSuccess;
}

int replace(BatchContext& c, const ArgumentList& a) {
    a.expectPositionals(5);
    const std::string& indexText = a.positional(1, "INDEX");
    EntryFields fields{a.positional(2, "FIRST"), a.positional(3, "FARM"),
                       c.argumentPath(a.positional(4, "PATH"))};
    LeagueOrganisation organisation = open(c);
    requireAccepted(organisation.replaceEntry(indexArgument(indexText, organisation), fields));
    save(c, organisation);
    return kSuccess;
}

int remove(BatchContext& c, const ArgumentList& a) {
    a.expectPositionals(2);
    const std::string& indexText = a.positional(1, "INDEX");
    LeagueOrganisation organisation = open(c);
    organisation.removeEntry(indexArgument(indexText, organisation));
    save(c, organisation);
    return kSuccess;
}

int registerFolder(BatchContext& c, const ArgumentList& a) {
    a.expectPositionals(2);
    std::string folder = c.argumentPath(a.positional(1, "DIR"));
    LeagueOrganisation organisation = open(c);
    for (const BulkOutcome& outcome : organisation.registerFolder(folder)) {
        if (outcome.added)
            c.out << "登録しました: " << outcome.fileName << "\n";
        else if (!outcome.message.empty())
            c.err << outcome.fileName << ": " << outcome.message << "\n";
    }
    save(c, organisation);
    return kSuccess;
}

int switchLeague(BatchContext& c, const ArgumentList& a) {
    a.expectPositionals(2);
    const std::string& name = a.positional(1, "NAME");
    LeagueOrganisation organisation = open(c);
    switch (organisation.changeLeague(name)) {
    case LeagueChange::Unchanged:
        c.out << "現在の機構はすでに " << name << " です。\n";
        break;
    case LeagueChange::Created:
        c.out << "新規機構 " << name << " を作成し、現在の機構にしました。\n";
        break;
    case LeagueChange::Existing:
        c.out << "現在の機構を " << name << " に変更しました。\n";
        break;
    }
    return kSuccess;
}

int deleteLeague(BatchContext& c, const ArgumentList& a) {
    a.expectPositionals(1);
    LeagueOrganisation organisation = open(c);
    if (!organisation.entries().empty())
        throw LeagueError(
            "チームの項目が残っている機構は削除できません。先に項目をすべて削除してください。",
            organisation.currentLeague() + ": チーム数 " +
                std::to_string(organisation.entries().size()));
    const std::string deleted = organisation.currentLeague();
    if (!organisation.deleteCurrentLeague())
        throw LeagueError(std::string(kLastLeagueMessage), deleted);
    c.out << kLeagueDeletedMessage << " (" << deleted << ")\n"
          << "現在の機構: " << organisation.currentLeague() << "\n";
    return kSuccess;
}

int league(BatchContext& c, const std::vector<std::string>& args) {
    ArgumentList a(args, {});
    const std::string& sub = a.positional(0, "subcommand");
    // One writer for the whole command: the reads and the save see the same file.
    FolderLock lock;
    if (sub != "show")
        lock = FolderLock::acquire(c.programFolder, FolderLock::Mode::Exclusive);
    if (sub == "show")
        return show(c, a);
    if (sub == "add")
        return add(c, a);
    if (sub == "replace")
        return replace(c, a);
    if (sub == "remove")
        return remove(c, a);
    if (sub == "register-folder")
        return registerFolder(c, a);
    if (sub == "switch")
        return switchLeague(c, a);
    if (sub == "delete")
        return deleteLeague(c, a);
    throw UsageError{"unknown subcommand: " + sub};
}

} // namespace

void addLeagueCommands(std::vector<BatchCommand>& table) {
    table.push_back({"league", "SUBCOMMAND ...",
                     "チーム編成: show | add FIRST FARM PATH | replace INDEX FIRST FARM PATH | "
                     "remove INDEX | register-folder DIR | switch NAME | delete",
                     league});
}

} // namespace tenvoll::batch
