// The working database of one term-update run: player and team sections keyed
// by name (ignoring case) in insertion order. Unlike an INI store it lets a
// section be taken out whole, so rebuilding the team files moves each player's
// history instead of copying it. Its sections are written with
// appendSectionText (league/IniStore.h), as an INI store writes them.
#pragma once

#include "league/IniStore.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tenvoll {

class WorkingStore {
public:
    IniSection* find(std::string_view name);
    // The section of that name, created at the end when missing.
    IniSection& ensure(std::string_view name);
    // Adds a section whole; when one of that name exists its keys are written
    // over that one (the added values win). Returns false in that case.
    bool add(IniSection&& section);
    // Removes the section and hands it over; null when there is none.
    std::unique_ptr<IniSection> take(std::string_view name);
    // The sections still held, in insertion order.
    std::vector<const IniSection*> remaining() const;
    // Visits the sections still held, in insertion order, each released right
    // after its visit; the store is empty afterwards.
    void drain(const std::function<void(const IniSection&)>& visit);

private:
    std::vector<std::unique_ptr<IniSection>> sections_;
    std::unordered_map<std::string, std::size_t> index_; // folded name -> position
};

// Writes every key of `from` into `into` (an existing key is replaced in place).
void mergeKeys(IniSection& into, const IniSection& from);

} // namespace tenvoll
