// The working database of one term-update run: player and team sections keyed
// by name (ignoring case) in insertion order, each with what the run notes
// about its name, so that every name is folded and hashed into one table only.
// Unlike an INI store it lets a section be taken out whole, so rebuilding the
// team files moves each player's history instead of copying it. Its sections
// are written with appendSectionText (league/IniStore.h), as an INI store
// writes them.
#pragma once

#include "league/IniStore.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tenvoll {

// What the run notes about a name beside its section.
struct NameNote {
    const std::string* origin = nullptr; // the file the name was first read from
    bool inTeamFile = false;             // a section of one of the league's team files
    bool shared = false;                 // met in more than one team-file section
};

class WorkingStore {
public:
    struct Held {
        IniSection* section = nullptr; // null when there is none
        NameNote* note = nullptr;
    };

    IniSection* find(std::string_view name) { return lookUp(name).section; }
    Held lookUp(std::string_view name);
    // The section of that name, created at the end when missing.
    IniSection& ensure(std::string_view name) { return *ensureHeld(name).section; }
    Held ensureHeld(std::string_view name);
    // Adds a section whole; when one of that name exists its keys are written
    // over that one (the added values win). Returns false in that case. The
    // name's note goes to `note` when asked for.
    bool add(IniSection&& section, NameNote** note = nullptr);
    // Removes the section and hands it over; null when there is none. Its
    // note is copied to `note` when asked for.
    std::unique_ptr<IniSection> take(std::string_view name, NameNote* note = nullptr);
    // Visits the sections still held, in insertion order, each released right
    // after its visit; the store is empty afterwards.
    void drain(const std::function<void(const IniSection&)>& visit);

private:
    struct Entry {
        std::unique_ptr<IniSection> section;
        NameNote note;
    };
    std::vector<Entry> entries_;
    std::unordered_map<std::string, std::size_t> index_; // folded name -> position
};

// Writes every key of `from` into `into` (an existing key is replaced in place).
void mergeKeys(IniSection& into, const IniSection& from);

} // namespace tenvoll
