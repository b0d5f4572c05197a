// The journal of a multi-file commit: what a crash between its renames leaves
// behind, so that the next start can put the old files back. Plain UTF-8
// lines, fields separated by tabs:
//   tenvoll-journal 1
//   operation <TAB> text shown to the user
//   state <TAB> pending | complete
//   folder <TAB> a folder created for the commit (removed again when empty)
//   file <TAB> target <TAB> temporary file <TAB> kept old file (empty: new file)
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tenvoll {

struct JournalEntry {
    std::string target;
    std::string temporary;
    std::string keep; // hard link (or copy) of the old target; empty for a new file
};

struct Journal {
    std::string operation;
    bool complete = false; // every rename done: only the clean-up is left
    std::vector<std::string> createdFolders;
    std::vector<JournalEntry> entries;
};

std::string journalText(const Journal& journal);
// std::nullopt for text that is no journal of this program.
std::optional<Journal> parseJournal(std::string_view text);

// Writes a small file durably: temporary file, fsync, rename, fsync of the
// folder. Throws LeagueError.
void writeDurably(const std::string& path, std::string_view bytes);
// Flushes a folder's entries (renames and removals in it) to disk. Throws
// LeagueError when the system reports a failure.
void syncFolder(const std::string& folder);

} // namespace tenvoll
