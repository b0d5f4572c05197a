// INI store: parsing, serialising and hashed look-ups of sections and keys.
#include "league/IniStore.h"

#include "league/FileAccess.h"
#include "league/IniText.h"
#include "league/Numbers.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"

#include <algorithm>
#include <iterator>

namespace tenvoll {

namespace {

// Sections with fewer lines are searched linearly; an index would cost more.
constexpr std::size_t kIndexThreshold = 12;

// Folded form for hashing; avoids allocating when the name needs no folding.
struct FoldedKey {
    std::string storage;
    std::string_view view;
    explicit FoldedKey(std::string_view name) {
        if (needsFolding(name)) {
            storage = foldCase(name);
            view = storage;
        } else {
            view = name;
        }
    }
};

} // namespace

// ---- IniSection ----------------------------------------------------------

IniSection& IniSection::operator=(const IniSection& other) {
    if (this != &other) {
        name_ = other.name_;
        lines_ = other.lines_;
        index_.reset();
    }
    return *this;
}

const IniLine* IniSection::findLinear(std::string_view key) const {
    for (const auto& line : lines_)
        if (!line.raw && equalsIgnoreCase(line.key, key))
            return &line;
    return nullptr;
}

void IniSection::buildIndex() const {
    index_ = std::make_unique<
        std::unordered_map<std::string, std::size_t, FoldedHash, std::equal_to<>>>();
    index_->reserve(lines_.size() * 2);
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (!lines_[i].raw)
            index_->try_emplace(foldCase(lines_[i].key), i);
}

const std::string* IniSection::find(std::string_view key) const {
    if (lines_.size() < kIndexThreshold && !index_) {
        const IniLine* line = findLinear(key);
        return line ? &line->value : nullptr;
    }
    if (!index_)
        buildIndex();
    FoldedKey folded(key);
    auto it = index_->find(folded.view);
    return it == index_->end() ? nullptr : &lines_[it->second].value;
}

std::string IniSection::value(std::string_view key, std::string_view fallback) const {
    const std::string* v = find(key);
    return v ? *v : std::string(fallback);
}

long long IniSection::integer(std::string_view key, long long fallback) const {
    const std::string* v = find(key);
    return v ? parseIntegerOr(*v, fallback) : fallback;
}

bool IniSection::boolean(std::string_view key, bool fallback) const {
    const std::string* v = find(key);
    if (!v)
        return fallback;
    auto n = parseInteger(*v);
    return n ? *n != 0 : fallback;
}

void IniSection::set(std::string_view key, std::string_view value) {
    if (const std::string* existing = find(key)) {
        const_cast<std::string&>(*existing).assign(value);
        return;
    }
    append(key, value);
}

void IniSection::setInteger(std::string_view key, long long value) {
    set(key, std::to_string(value));
}

void IniSection::append(std::string_view key, std::string_view value) {
    lines_.push_back(IniLine{std::string(key), std::string(value), false});
    if (index_)
        index_->try_emplace(foldCase(key), lines_.size() - 1);
}

void IniSection::appendRaw(std::string_view line) {
    lines_.push_back(IniLine{std::string(line), {}, true});
}

bool IniSection::remove(std::string_view key) {
    auto before = lines_.size();
    std::erase_if(lines_, [&](const IniLine& l) { return !l.raw && equalsIgnoreCase(l.key, key); });
    if (lines_.size() == before)
        return false;
    index_.reset();
    return true;
}

std::vector<const IniLine*> IniSection::keys() const {
    std::vector<const IniLine*> out;
    out.reserve(lines_.size());
    for (const auto& l : lines_)
        if (!l.raw)
            out.push_back(&l);
    return out;
}

// ---- IniStore ------------------------------------------------------------

IniStore::IniStore(const IniStore& other) : preamble_(other.preamble_) {
    sections_.reserve(other.sections_.size());
    for (const auto& s : other.sections_)
        sections_.push_back(std::make_unique<IniSection>(*s));
    reindex();
}

IniStore& IniStore::operator=(const IniStore& other) {
    if (this != &other) {
        IniStore copy(other);
        *this = std::move(copy);
    }
    return *this;
}

IniStore IniStore::parse(std::string_view text) {
    IniStore store;
    IniSection* current = nullptr;
    // A section's lines gather in one reused buffer and move into the section
    // at its end with exactly the room they need: growing each section's own
    // vector would leave up to half of it unused (big stores hold millions of lines).
    std::vector<IniLine> pending;
    auto close = [&] {
        if (!current)
            return;
        current->lines_.reserve(pending.size());
        std::move(pending.begin(), pending.end(), std::back_inserter(current->lines_));
        pending.clear();
    };
    IniLineWalker walker(text);
    IniTextLine l;
    while (walker.next(l)) {
        switch (l.kind) {
        case IniTextLine::Blank:
            break;
        case IniTextLine::Header:
            close();
            current = &store.appendSection(l.name);
            break;
        case IniTextLine::Raw:
        case IniTextLine::Key:
            if (!current)
                store.preamble_.emplace_back(l.line);
            else if (l.kind == IniTextLine::Raw)
                pending.push_back(IniLine{std::string(l.line), {}, true});
            else
                pending.push_back(IniLine{std::string(l.name), std::string(l.value), false});
            break;
        }
    }
    close();
    return store;
}

IniStore IniStore::load(const std::string& path) {
    return parse(readTextFile(path));
}

void appendSectionText(std::string& out, const IniSection& section) {
    out += '[';
    out += section.name();
    out += "]\r\n";
    for (const IniLine& line : section.lines()) {
        out += line.key;
        if (!line.raw) {
            out += '=';
            out += line.value;
        }
        out += "\r\n";
    }
}

std::size_t sectionTextSize(const IniSection& section) {
    std::size_t size = section.name().size() + 4;
    for (const IniLine& line : section.lines())
        size += line.key.size() + (line.raw ? 0 : 1 + line.value.size()) + 2;
    return size;
}

std::string IniStore::serialize() const {
    std::string out;
    std::size_t estimate = 0;
    for (const auto& s : sections_) {
        estimate += s->name().size() + 4;
        for (const auto& l : s->lines())
            estimate += l.key.size() + l.value.size() + 3;
    }
    out.reserve(estimate + 64);
    for (const auto& p : preamble_) {
        out += p;
        out += "\r\n";
    }
    for (const auto& s : sections_)
        appendSectionText(out, *s);
    return out;
}

void IniStore::save(const std::string& path) const {
    writeTextFileAtomic(path, serialize());
}

IniSection* IniStore::section(std::string_view name) {
    FoldedKey folded(name);
    auto it = byName_.find(folded.view);
    return it == byName_.end() ? nullptr : it->second;
}

const IniSection* IniStore::section(std::string_view name) const {
    return const_cast<IniStore*>(this)->section(name);
}

IniSection& IniStore::ensureSection(std::string_view name) {
    if (IniSection* s = section(name))
        return *s;
    return appendSection(name);
}

IniSection& IniStore::appendSection(std::string_view name) {
    sections_.push_back(std::make_unique<IniSection>(std::string(name)));
    IniSection* s = sections_.back().get();
    byName_.try_emplace(foldCase(name), s);
    return *s;
}

void IniStore::removeSection(std::string_view name) {
    removeSectionsIf([&](const IniSection& s) { return equalsIgnoreCase(s.name(), name); });
}

void IniStore::removeSectionsIf(const std::function<bool(const IniSection&)>& predicate) {
    auto before = sections_.size();
    std::erase_if(sections_, [&](const std::unique_ptr<IniSection>& s) { return predicate(*s); });
    if (sections_.size() != before)
        reindex();
}

void IniStore::appendSectionsFrom(IniStore&& other) {
    for (auto& s : other.sections_) {
        byName_.try_emplace(foldCase(s->name()), s.get());
        sections_.push_back(std::move(s));
    }
    other.clear();
}

void IniStore::clear() {
    preamble_.clear();
    sections_.clear();
    byName_.clear();
}

std::vector<std::string> IniStore::sectionNames() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const auto& s : sections_)
        names.push_back(s->name());
    return names;
}

std::string IniStore::value(std::string_view sectionName, std::string_view key,
                            std::string_view fallback) const {
    const IniSection* s = section(sectionName);
    return s ? s->value(key, fallback) : std::string(fallback);
}

long long IniStore::integer(std::string_view sectionName, std::string_view key,
                            long long fallback) const {
    const IniSection* s = section(sectionName);
    return s ? s->integer(key, fallback) : fallback;
}

void IniStore::set(std::string_view sectionName, std::string_view key, std::string_view value) {
    ensureSection(sectionName).set(key, value);
}

void IniStore::reindex() {
    byName_.clear();
    byName_.reserve(sections_.size() * 2);
    for (const auto& s : sections_)
        byName_.try_emplace(foldCase(s->name()), s.get());
}

} // namespace tenvoll
