#pragma once
// Collects one tag's attributes as the scanner reads them and fills the map
// handed to the predicate. When a tag has the same attribute names as the
// map holds only the values are replaced, so that a long scan neither
// allocates nor rebalances a tree for every tag. Files mix a few kinds of
// tags, so the trees of the last few other sets of names are kept aside and
// swapped into the map when their names come round again.
#include "TagScanner.hpp"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Utilities {

// Names and values are short: comparing them in place beats a call to memcmp.
inline bool SameText(std::string_view a, std::string_view b)
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

class AttributeCollector {
public:
    void Clear() { count = 0; }
    // The value is text[offset, offset + length); a later name replaces the
    // value. A name that lies in the text is kept as a view; any other name
    // is copied.
    void Add(std::string_view name, bool nameInText, std::string::size_type offset, std::size_t length)
    {
        if (count == entries.size()) {
            entries.emplace_back();
        }
        Entry& entry = entries[count++];
        entry.copied = !nameInText;
        if (nameInText) {
            entry.name = name;
        } else {
            entry.copy.assign(name.data(), name.size());
        }
        entry.offset = offset;
        entry.length = length;
    }
    // Makes the map hold exactly the collected attributes, values taken from text.
    void Fill(TagAttributes& attributes, const std::string& text);

private:
    struct Entry {
        std::string_view Name() const { return copied ? std::string_view(copy) : name; }

        std::string_view name; // into the text, unless copied
        std::string copy;      // read through Name(): moving the entry moves its characters
        bool copied = false;
        std::string::size_type offset = 0;
        std::size_t length = 0;
    };

    // A tree filled before, with the order in which its tag's entries sorted.
    struct Layout {
        TagAttributes map;
        std::vector<std::size_t> order;
    };

    bool FillInOrder(TagAttributes& attributes, const std::vector<std::size_t>& order, const std::string& text) const;
    void Swap(TagAttributes& attributes, Layout& layout);
    Layout& LayoutToSwapIn();
    void Sort();
    bool IsShadowed(std::size_t sortedIndex) const;
    bool HasSameNames(const TagAttributes& attributes) const;
    void Rebuild(TagAttributes& attributes);
    void FillSorted(TagAttributes& attributes, const std::string& text) const;

    std::vector<Entry> entries; // reused: only the first count are this tag's
    std::size_t count = 0;
    std::vector<std::size_t> order;  // how the entries of the tag that last filled the map sorted
    std::vector<std::size_t> sorted; // this tag's entries sorted by name
    std::array<Layout, 3> parked;
    std::size_t nextToEvict = 0;
    std::vector<TagAttributes::node_type> spareNodes;
};

} // namespace Utilities
