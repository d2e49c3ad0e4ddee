#include "TagScanner.hpp"

#include <array>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Utilities {

namespace {

using Position = std::string::size_type;

// Where in a tag the scan is. Between tags the scan only looks for "<", and a
// quoted value is taken whole, so neither needs a state of its own.
enum class State { TagOpen, Name, InTag, AttributeName, AfterEquals };

// Line breaks and other control characters are ordinary on purpose: the
// host's files are matched the way its own tools always matched them.
enum class CharClass : unsigned char { Ordinary, Blank, Open, Close, Slash, Mark, Quote, Equals };

constexpr std::array<CharClass, 256> MakeClassTable()
{
    std::array<CharClass, 256> table{};
    table[' '] = table['\t'] = CharClass::Blank;
    table['<'] = CharClass::Open;
    table['>'] = CharClass::Close;
    table['/'] = CharClass::Slash;
    table['!'] = table['?'] = CharClass::Mark;
    table['"'] = table['\''] = CharClass::Quote;
    table['='] = CharClass::Equals;
    return table;
}

constexpr std::array<CharClass, 256> ClassTable = MakeClassTable();

CharClass Classify(char ch) { return ClassTable[static_cast<unsigned char>(ch)]; }

// The first ch in [p, end), or null; sixteen bytes at a time where SSE2 is
// at hand. Inlined: the gaps between tags and the values it runs over are
// mostly too short to repay a call to memchr.
const char* Find(const char* p, const char* end, char ch)
{
#if defined(__SSE2__)
    const __m128i wanted = _mm_set1_epi8(ch);
    for (; end - p >= 16; p += 16) {
        const int found = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), wanted));
        if (found != 0) {
            return p + __builtin_ctz(static_cast<unsigned>(found));
        }
    }
#endif
    for (; p != end; ++p) {
        if (*p == ch) {
            return p;
        }
    }
    return nullptr;
}

// Names and values are short: comparing them in place beats a call to memcmp.
bool SameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// The characters of a name, gathered run by run. A name of one run, the
// usual kind, stays in the text; one that other characters split is copied.
class Token {
public:
    void Clear()
    {
        size = 0;
        copied = false;
    }
    void Append(const char* run, std::size_t length)
    {
        if (size == 0) {
            data = run;
            size = length;
            return;
        }
        if (!copied) {
            buffer.assign(data, size);
            copied = true;
        }
        buffer.append(run, length);
        data = buffer.data();
        size = buffer.size();
    }
    std::string_view View() const { return {data, size}; }

private:
    const char* data = nullptr;
    std::size_t size = 0;
    bool copied = false;
    std::string buffer;
};

// One tag's attributes as the scan reads them, and the map the predicate
// gets. A file repeats a few kinds of tag, so a map keeps its nodes from tag
// to tag while the names come in the same order and only the values change;
// maps of the last few other sets of names are kept aside for when they come
// round again. Filling a fresh map for every tag would cost more than all of
// the scan.
class Attributes {
public:
    void Clear() { count = 0; }
    // The value is text[offset, offset + length). A name that is not in the
    // text is copied.
    void Add(std::string_view name, bool inText, Position offset, std::size_t length)
    {
        if (count == entries.size()) {
            entries.emplace_back();
        }
        Entry& entry = entries[count++];
        entry.copied = !inText;
        if (entry.copied) {
            entry.copy.assign(name);
        } else {
            entry.view = name;
        }
        entry.offset = offset;
        entry.length = length;
    }
    // Makes the map hold exactly the attributes added since Clear; a later
    // value of a name replaces an earlier one.
    void Fill(TagAttributes& map, const std::string& text)
    {
        if (FillInOrder(map, order, text)) {
            return;
        }
        for (Layout& kept : keptLayouts) {
            if (FillInOrder(kept.map, kept.order, text)) {
                map.swap(kept.map);
                order.swap(kept.order);
                return;
            }
        }
        Layout& oldest = keptLayouts[nextToReplace];
        nextToReplace = (nextToReplace + 1) % keptLayouts.size();
        map.swap(oldest.map);
        order.swap(oldest.order);
        Rebuild(map, text);
    }

private:
    struct Entry {
        std::string_view Name() const { return copied ? std::string_view(copy) : view; }

        std::string_view view; // into the text, unless copied
        std::string copy;
        bool copied = false;
        Position offset = 0;
        std::size_t length = 0;
    };
    // A map and the order in which the entries of the tag that built it sort.
    struct Layout {
        TagAttributes map;
        std::vector<std::size_t> order;
    };

    // Whether the map holds this tag's names, entry order[i] giving the i-th;
    // then its values are this tag's. The predicate may have changed the map,
    // so its keys are compared as they are now.
    bool FillInOrder(TagAttributes& map, const std::vector<std::size_t>& order, const std::string& text) const
    {
        if (order.size() != count || map.size() != count) {
            return false;
        }
        auto index = order.begin();
        for (auto& node : map) {
            const Entry& entry = entries[*index++];
            if (!SameText(node.first, entry.Name())) {
                return false;
            }
            node.second.assign(text, entry.offset, entry.length);
        }
        return true;
    }

    // A new map for this tag's names: sorted by a stable insertion sort (tags
    // have a handful of attributes), the last value of a name winning. A tag
    // that repeats a name leaves fewer nodes than entries, which FillInOrder
    // never takes.
    void Rebuild(TagAttributes& map, const std::string& text)
    {
        order.clear();
        for (std::size_t i = 0; i < count; ++i) {
            auto at = order.end();
            while (at != order.begin() && entries[i].Name() < entries[*(at - 1)].Name()) {
                --at;
            }
            order.insert(at, i);
        }
        map.clear();
        for (const std::size_t i : order) {
            map[std::string(entries[i].Name())].assign(text, entries[i].offset, entries[i].length);
        }
    }

    std::vector<Entry> entries; // reused: only the first count are this tag's
    std::size_t count = 0;
    std::vector<std::size_t> order;
    std::array<Layout, 3> keptLayouts;
    std::size_t nextToReplace = 0;
};

// One call's scan: the state machine of a tag, stepping over runs of
// ordinary characters and quoted values at once, since only their first
// character can change the state. Between tags only "<" counts.
class Scanner {
public:
    Scanner(const std::string& text, const TagPredicate& predicate)
        : text(text), predicate(predicate), first(text.data()), last(text.data() + text.size())
    {
    }

    TagSpan Run(Position start)
    {
        for (const char* p = first + start; (p = Find(p, last, '<')) != nullptr; ++p) {
            const Position begin = static_cast<Position>(p - first);
            switch (ScanTag(p)) {
            case Outcome::Accepted:
                return TagSpan(begin, static_cast<Position>(p - first) + 1);
            case Outcome::Ended:
                return TagSpan(0, 0);
            case Outcome::Rejected:
                break;
            }
        }
        return TagSpan(0, 0);
    }

private:
    enum class Outcome { Accepted, Rejected, Ended };

    // From a tag's "<" to the ">" that ends it, where p is left. Ended when the
    // text runs out first, also inside a value without its closing quote.
    Outcome ScanTag(const char*& p)
    {
        state = State::TagOpen;
        endTag = false;
        token.Clear();
        attributeName.clear();
        attributes.Clear();
        char previous = '<'; // the last character read that was not a blank
        while (++p != last) {
            switch (Classify(*p)) {
            case CharClass::Ordinary:
                if (!Attribute(p)) {
                    Ordinary(p, previous);
                }
                break;
            case CharClass::Blank:
                Blank();
                continue; // a blank is never the previous character
            case CharClass::Slash:
                endTag = endTag || (state == State::TagOpen && previous == '<');
                break;
            case CharClass::Quote:
                if (state == State::AfterEquals && !Value(p)) {
                    return Outcome::Ended;
                }
                break;
            case CharClass::Equals:
                Equals();
                break;
            case CharClass::Close:
                if (state == State::Name || state == State::InTag) {
                    return CloseTag(previous) ? Outcome::Accepted : Outcome::Rejected;
                }
                break;
            case CharClass::Open:
            case CharClass::Mark:
                break;
            }
            previous = *p;
        }
        return Outcome::Ended;
    }

    const char* SkipOrdinary(const char* p) const
    {
        while (p != last && Classify(*p) == CharClass::Ordinary) {
            ++p;
        }
        return p;
    }

    // Between attributes, at the first character of a name, the usual
    // name="value" is taken in one step: the steps of the table for its
    // name, "=" and value come to adding it. False, with nothing changed, for
    // anything written another way; p is left at the closing quote.
    bool Attribute(const char*& p)
    {
        if (state != State::InTag || !token.View().empty()) {
            return false;
        }
        const char* const nameEnd = SkipOrdinary(p + 1);
        if (last - nameEnd < 2 || *nameEnd != '=' || Classify(nameEnd[1]) != CharClass::Quote) {
            return false;
        }
        const char* const end = Find(nameEnd + 2, last, nameEnd[1]);
        if (end == nullptr) {
            return false;
        }
        const std::string_view name(p, static_cast<std::size_t>(nameEnd - p));
        attributes.Add(name, true, static_cast<Position>(nameEnd + 2 - first), static_cast<std::size_t>(end - nameEnd - 2));
        attributeName.clear();
        p = end;
        return true;
    }

    // At the first of a run of ordinary characters, which all go to the
    // token; p is left at the last of them.
    void Ordinary(const char*& p, char previous)
    {
        if (state == State::TagOpen) {
            type = previous == '!'   ? TagType::Declaration
                   : previous == '?' ? TagType::ProcessingInstruction
                   : endTag          ? TagType::EndTag
                                     : TagType::StartTag;
            state = State::Name;
        } else if (state == State::InTag) {
            state = State::AttributeName;
        }
        const char* const end = SkipOrdinary(p + 1);
        token.Append(p, static_cast<std::size_t>(end - p));
        p = end - 1;
    }

    void Blank()
    {
        if (state == State::Name) {
            SetElementName();
        } else if (state == State::AttributeName) {
            attributeName.assign(token.View());
        } else {
            return;
        }
        token.Clear();
        state = State::InTag;
    }

    void Equals()
    {
        if (state == State::AttributeName) {
            attributeName.assign(token.View());
            token.Clear();
            state = State::AfterEquals;
        } else if (state == State::InTag) {
            state = State::AfterEquals;
        }
    }

    // At the opening quote; p is left at the closing one.
    bool Value(const char*& p)
    {
        const char* const end = Find(p + 1, last, *p);
        if (end == nullptr) {
            return false;
        }
        const auto offset = static_cast<Position>(p + 1 - first);
        attributes.Add(attributeName, false, offset, static_cast<std::size_t>(end - p - 1));
        attributeName.clear();
        state = State::InTag;
        p = end;
        return true;
    }

    // Runs of tags of one name are the rule, and comparing is cheaper than copying.
    void SetElementName()
    {
        if (!SameText(elementName, token.View())) {
            elementName.assign(token.View());
        }
    }

    bool CloseTag(char previous)
    {
        if (state == State::Name) {
            SetElementName();
        }
        if (previous == '/' || previous == '?') {
            type = TagType::SelfClosingTag;
        }
        attributes.Fill(map, text);
        return predicate(elementName, map, type);
    }

    const std::string& text;
    const TagPredicate& predicate;
    const char* const first;
    const char* const last;
    State state = State::TagOpen;
    bool endTag = false;
    TagType type = TagType::StartTag;
    Token token;
    std::string attributeName;
    std::string elementName;
    Attributes attributes;
    TagAttributes map;
};

} // namespace

TagSpan ScanTags(const std::string& text, std::string::size_type start, const TagPredicate& predicate)
{
    if (start >= text.size()) {
        return TagSpan(0, 0);
    }
    return Scanner(text, predicate).Run(start);
}

FindByNameAndAttribute::FindByNameAndAttribute(const std::string& elementName, const std::string& attributeName,
                                               const std::string& attributeValue)
    : elementName(elementName), attributeName(attributeName), attributeValue(attributeValue)
{
}

bool FindByNameAndAttribute::Match(const std::string& elementName, TagAttributes& attributes, const TagType)
{
    if (!SameText(elementName, this->elementName)) {
        return false;
    }
    // Tags have a handful of attributes: a walk through them is quicker than
    // the tree's own search.
    for (const auto& attribute : attributes) {
        if (SameText(attribute.first, attributeName)) {
            return SameText(attribute.second, attributeValue);
        }
    }
    attributes.emplace(attributeName, std::string());
    return attributeValue.empty();
}

} // namespace Utilities
