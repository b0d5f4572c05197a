// Working database of the term update.
#include "termupdate/WorkingStore.h"

#include "league/TextCompare.h"

namespace tenvoll {

WorkingStore::Held WorkingStore::lookUp(std::string_view name) {
    auto it = index_.find(foldCase(name));
    if (it == index_.end())
        return {};
    Entry& e = entries_[it->second];
    return {e.section.get(), &e.note};
}

WorkingStore::Held WorkingStore::ensureHeld(std::string_view name) {
    auto [it, fresh] = index_.try_emplace(foldCase(name), entries_.size());
    if (fresh)
        entries_.push_back({std::make_unique<IniSection>(std::string(name)), {}});
    Entry& e = entries_[it->second];
    return {e.section.get(), &e.note};
}

bool WorkingStore::add(IniSection&& section, NameNote** note) {
    auto [it, fresh] = index_.try_emplace(foldCase(section.name()), entries_.size());
    if (fresh)
        entries_.push_back({std::make_unique<IniSection>(std::move(section)), {}});
    Entry& e = entries_[it->second];
    if (!fresh)
        mergeKeys(*e.section, section);
    if (note)
        *note = &e.note;
    return fresh;
}

std::unique_ptr<IniSection> WorkingStore::take(std::string_view name, NameNote* note) {
    auto it = index_.find(foldCase(name));
    if (it == index_.end())
        return nullptr;
    Entry& e = entries_[it->second];
    if (note)
        *note = e.note;
    index_.erase(it);
    return std::move(e.section);
}

void WorkingStore::drain(const std::function<void(const IniSection&)>& visit) {
    index_.clear();
    for (auto& e : entries_) {
        if (e.section)
            visit(*e.section);
        e.section.reset();
    }
    entries_.clear();
}

void mergeKeys(IniSection& into, const IniSection& from) {
    for (const IniLine& line : from.lines())
        if (!line.raw)
            into.set(line.key, line.value);
}

} // namespace tenvoll
