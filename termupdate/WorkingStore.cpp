// Working database of the term update.
#include "termupdate/WorkingStore.h"

#include "league/TextCompare.h"

namespace tenvoll {

IniSection* WorkingStore::find(std::string_view name) {
    auto it = index_.find(foldCase(name));
    return it == index_.end() ? nullptr : sections_[it->second].get();
}

IniSection& WorkingStore::ensure(std::string_view name) {
    if (IniSection* s = find(name))
        return *s;
    index_.emplace(foldCase(name), sections_.size());
    sections_.push_back(std::make_unique<IniSection>(std::string(name)));
    return *sections_.back();
}

bool WorkingStore::add(IniSection&& section) {
    if (IniSection* existing = find(section.name())) {
        mergeKeys(*existing, section);
        return false;
    }
    index_.emplace(foldCase(section.name()), sections_.size());
    sections_.push_back(std::make_unique<IniSection>(std::move(section)));
    return true;
}

std::unique_ptr<IniSection> WorkingStore::take(std::string_view name) {
    auto it = index_.find(foldCase(name));
    if (it == index_.end())
        return nullptr;
    std::unique_ptr<IniSection> s = std::move(sections_[it->second]);
    index_.erase(it);
    return s;
}

std::vector<const IniSection*> WorkingStore::remaining() const {
    std::vector<const IniSection*> out;
    for (const auto& s : sections_)
        if (s)
            out.push_back(s.get());
    return out;
}

void WorkingStore::drain(const std::function<void(const IniSection&)>& visit) {
    index_.clear();
    for (auto& s : sections_) {
        if (s)
            visit(*s);
        s.reset();
    }
    sections_.clear();
}

void mergeKeys(IniSection& into, const IniSection& from) {
    for (const IniLine& line : from.lines())
        if (!line.raw)
            into.set(line.key, line.value);
}

} // namespace tenvoll
