// INI store: parsing, serialising and hashed look-ups of sections and keys.
#include "league/IniStore.h"

#include "league/FileAccess.h"
#include "league/IniText.h"
#include "league/Numbers.h"
#include "league/TextCodec.h"
#include "league/TextCompare.h"

#include <algorithm>
#include <cstring>

namespace tenvoll {

namespace {

// Sections with fewer lines are searched linearly; an index would cost more.
constexpr std::size_t kIndexThreshold = 12;
// A full line table grows by an eighth and four lines.
constexpr std::size_t kGrowthDivisor = 8;
constexpr std::size_t kGrowthLines = 4;
// A bigger section is searched linearly for its first few look-ups too (a pane
// asks a player's section about ten keys): building the index costs as much as
// about that many linear searches.
constexpr unsigned kLinearFindsBeforeIndex = 8;

bool isIniBlank(char c) {
    return c == ' ' || c == '\t';
}

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

IniSection::IniSection(const IniSection& other) : name_(other.name_) {
    copyFrom(other);
}

IniSection& IniSection::operator=(const IniSection& other) {
    if (this != &other) {
        name_ = other.name_;
        owned_.clear();
        index_.reset();
        linearFinds_ = 0;
        copyFrom(other);
    }
    return *this;
}

// Shares the other's loaded text; the texts it owns are copied.
void IniSection::copyFrom(const IniSection& other) {
    text_ = other.text_;
    body_ = other.body_;
    lines_ = other.lines_;
    for (IniLine& line : lines_) {
        if (!other.inText(line.key))
            line.key = own(line.key);
        if (!other.inText(line.value))
            line.value = own(line.value);
    }
}

bool IniSection::inText(std::string_view view) const {
    if (view.empty() || !text_)
        return view.empty();
    const char* begin = text_->data();
    return view.data() >= begin && view.data() + view.size() <= begin + text_->size();
}

std::string_view IniSection::own(std::string_view text) {
    if (text.empty())
        return {};
    return owned_.emplace_front(text);
}

namespace {

// The lines of a section's text as IniLines, in order; stops when `visit`
// returns false. Blank lines are no lines.
template <typename Visit> void walkBody(std::string_view body, Visit&& visit) {
    IniLineWalker walker(body);
    IniTextLine l;
    while (walker.next(l)) {
        if (l.kind == IniTextLine::Raw) {
            if (!visit(IniLine{l.line, {}, true}))
                return;
        } else if (l.kind == IniTextLine::Key) {
            if (!visit(IniLine{l.name, l.value, false}))
                return;
        }
    }
}

} // namespace

void IniSection::splitBody() const {
    std::string_view body = body_;
    body_ = {};
    std::size_t estimate = 1;
    for (const char *p = body.data(), *end = p + body.size();
         (p = static_cast<const char*>(std::memchr(p, '\n', std::size_t(end - p)))); ++p)
        ++estimate;
    lines_.reserve(lines_.size() + estimate);
    walkBody(body, [&](const IniLine& line) {
        lines_.push_back(line);
        return true;
    });
}

void IniSection::visitLines(const std::function<bool(const IniLine&)>& visit) const {
    for (const IniLine& line : lines_)
        if (!visit(line))
            return;
    walkBody(body_, visit);
}

bool IniSection::bodyWrittenAsIs() const {
    if (body_.empty() || !lines_.empty())
        return false;
    const char* p = body_.data();
    const char* const end = p + body_.size();
    while (p < end) {
        const auto rest = static_cast<std::size_t>(end - p);
        const auto* cr = static_cast<const char*>(std::memchr(p, '\r', rest));
        if (!cr || cr + 1 == end || cr[1] != '\n' || cr == p || isIniBlank(*p))
            return false;
        const auto length = static_cast<std::size_t>(cr - p);
        if (std::memchr(p, '\n', length))
            return false; // a line ended by a lone LF
        if (*p != ';')
            if (const auto* eq = static_cast<const char*>(std::memchr(p, '=', length));
                eq && (eq == p || isIniBlank(eq[-1])))
                return false; // a key that writing trims
        p = cr + 2;
    }
    return true;
}

const IniLine* IniSection::findLinear(std::string_view key) const {
    for (const auto& line : lines_)
        if (!line.raw && equalsIgnoreCase(line.key, key))
            return &line;
    return nullptr;
}

void IniSection::buildIndex() const {
    index_ = std::make_unique<KeyIndex>();
    index_->positions.reserve(lines_.size() * 2);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const IniLine& line = lines_[i];
        if (line.raw)
            continue;
        std::string_view key = line.key;
        if (needsFolding(key))
            key = index_->foldedKeys.emplace_front(foldCase(key));
        index_->positions.try_emplace(key, i);
    }
}

const std::string_view* IniSection::find(std::string_view key) const {
    split();
    if (!index_ && (lines_.size() < kIndexThreshold || linearFinds_ < kLinearFindsBeforeIndex)) {
        if (lines_.size() >= kIndexThreshold)
            ++linearFinds_;
        const IniLine* line = findLinear(key);
        return line ? &line->value : nullptr;
    }
    if (!index_)
        buildIndex();
    FoldedKey folded(key);
    auto it = index_->positions.find(folded.view);
    return it == index_->positions.end() ? nullptr : &lines_[it->second].value;
}

std::string IniSection::value(std::string_view key, std::string_view fallback) const {
    return std::string(valueView(key, fallback));
}

std::string_view IniSection::valueView(std::string_view key, std::string_view fallback) const {
    const std::string_view* v = find(key);
    return v ? *v : fallback;
}

long long IniSection::integer(std::string_view key, long long fallback) const {
    const std::string_view* v = find(key);
    return v ? parseIntegerOr(*v, fallback) : fallback;
}

bool IniSection::boolean(std::string_view key, bool fallback) const {
    const std::string_view* v = find(key);
    if (!v)
        return fallback;
    auto n = parseInteger(*v);
    return n ? *n != 0 : fallback;
}

void IniSection::set(std::string_view key, std::string_view value) {
    if (const std::string_view* existing = find(key)) {
        if (*existing != value)
            const_cast<std::string_view&>(*existing) = own(value);
        return;
    }
    append(key, value);
}

void IniSection::setInteger(std::string_view key, long long value) {
    set(key, std::to_string(value));
}

void IniSection::append(std::string_view key, std::string_view value) {
    split();
    // Owned before the line is added: `key` or `value` may view this section's lines.
    std::string_view ownKey = own(key);
    std::string_view ownValue = own(value);
    // A loaded section grows by a few lines (a term's keys): room for a few
    // more each time, rather than doubling the line table of a long history.
    if (lines_.size() == lines_.capacity())
        lines_.reserve(lines_.size() + lines_.size() / kGrowthDivisor + kGrowthLines);
    lines_.push_back(IniLine{ownKey, ownValue, false});
    if (index_) {
        std::string_view indexKey = ownKey;
        if (needsFolding(indexKey))
            indexKey = index_->foldedKeys.emplace_front(foldCase(indexKey));
        index_->positions.try_emplace(indexKey, lines_.size() - 1);
    }
}

void IniSection::appendRaw(std::string_view line) {
    split();
    std::string_view text = own(line);
    lines_.push_back(IniLine{text, {}, true});
}

bool IniSection::remove(std::string_view key) {
    split();
    auto before = lines_.size();
    std::erase_if(lines_, [&](const IniLine& l) { return !l.raw && equalsIgnoreCase(l.key, key); });
    if (lines_.size() == before)
        return false;
    index_.reset();
    return true;
}

std::vector<const IniLine*> IniSection::keys() const {
    split();
    std::vector<const IniLine*> out;
    out.reserve(lines_.size());
    for (const auto& l : lines_)
        if (!l.raw)
            out.push_back(&l);
    return out;
}

// ---- IniStore ------------------------------------------------------------

IniStore::IniStore(const IniStore& other) : text_(other.text_), preamble_(other.preamble_) {
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
    return parseText(std::string(text));
}

namespace {

// Where the line holding `pos` ends: its first CR or LF, or the end of the text.
std::size_t lineEndFrom(std::string_view text, std::size_t pos) {
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n')
        ++pos;
    return pos;
}

// Where the line after the one ending at `end` starts (CR LF, LF or a lone CR).
std::size_t nextLineStart(std::string_view text, std::size_t end) {
    if (end >= text.size())
        return text.size();
    if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
        return end + 2;
    return end + 1;
}

struct HeaderLine {
    std::size_t begin; // the line's first byte
    std::size_t next;  // the first byte of the line after it
    std::string_view name;
};

// The next section header at or after `from`, found by jumping from one "[" to
// the next: only a "[" with nothing but blanks before it on its line can start
// one, and only when the line's trimmed text ends in "]".
bool nextHeader(std::string_view text, std::size_t& from, HeaderLine& out) {
    const char* base = text.data();
    while (from < text.size()) {
        const void* hit = std::memchr(base + from, '[', text.size() - from);
        if (!hit)
            break;
        std::size_t bracket = std::size_t(static_cast<const char*>(hit) - base);
        std::size_t begin = bracket;
        while (begin > 0 && isIniBlank(text[begin - 1]))
            --begin;
        std::size_t end = lineEndFrom(text, bracket);
        from = end;
        if (begin > 0 && text[begin - 1] != '\r' && text[begin - 1] != '\n')
            continue;
        std::size_t last = end;
        while (last > bracket && isIniBlank(text[last - 1]))
            --last;
        if (last - bracket < 2 || text[last - 1] != ']')
            continue;
        out.begin = begin;
        out.next = nextLineStart(text, end);
        out.name = trimIniBlanks(text.substr(bracket + 1, last - 1 - (bracket + 1)));
        from = out.next;
        return true;
    }
    from = text.size();
    return false;
}

} // namespace

IniStore IniStore::parseText(std::string&& text) {
    IniStore store;
    store.text_ = std::make_shared<const std::string>(std::move(text));
    std::string_view all = *store.text_;
    // The headers first, so that the sections and their index are sized once.
    std::vector<HeaderLine> headers;
    std::size_t from = 0;
    for (HeaderLine header{}; nextHeader(all, from, header);)
        headers.push_back(header);
    IniLineWalker preamble(all.substr(0, headers.empty() ? all.size() : headers.front().begin));
    IniTextLine l;
    while (preamble.next(l))
        if (l.kind != IniTextLine::Blank)
            store.preamble_.emplace_back(l.line);
    store.sections_.reserve(headers.size());
    store.byName_.reserve(headers.size());
    for (std::size_t i = 0; i < headers.size(); ++i) {
        IniSection& section = store.appendSection(headers[i].name);
        section.text_ = store.text_;
        std::size_t bodyBegin = headers[i].next;
        std::size_t bodyEnd = i + 1 < headers.size() ? headers[i + 1].begin : all.size();
        section.body_ = all.substr(bodyBegin, bodyEnd - bodyBegin);
    }
    return store;
}

IniStore IniStore::load(const std::string& path) {
    return parseText(readTextFile(path));
}

void appendSectionText(std::string& out, const IniSection& section) {
    out += '[';
    out += section.name();
    out += "]\r\n";
    if (section.bodyWrittenAsIs()) {
        out += section.body_;
        return;
    }
    section.visitLines([&](const IniLine& line) {
        out += line.key;
        if (!line.raw) {
            out += '=';
            out += line.value;
        }
        out += "\r\n";
        return true;
    });
}

std::size_t sectionTextSize(const IniSection& section) {
    std::size_t size = section.name().size() + 4;
    if (section.bodyWrittenAsIs())
        return size + section.body_.size();
    section.visitLines([&](const IniLine& line) {
        size += line.key.size() + (line.raw ? 0 : 1 + line.value.size()) + 2;
        return true;
    });
    return size;
}

std::string IniStore::serialize() const {
    std::string out;
    // Room for every section, split or not: at most a CR LF more per line than read.
    std::size_t estimate = 64;
    for (const auto& p : preamble_)
        estimate += p.size() + 2;
    for (const auto& s : sections_) {
        estimate += s->name().size() + 4 + s->body_.size() + s->body_.size() / 2;
        for (const auto& l : s->lines_)
            estimate += l.key.size() + l.value.size() + 3;
    }
    out.reserve(estimate);
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
    text_.reset();
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
