#pragma once
// Collects one tag's attributes as the scanner reads them and fills the map
// handed to the predicate. The map's nodes are reused from tag to tag, and
// when a tag has the same attribute names as the map holds only the values
// are replaced, so that a long scan neither allocates nor rebalances a tree
// for every tag.
#include "TagScanner.hpp"

#include <string>
#include <utility>
#include <vector>

namespace Utilities {

class AttributeCollector {
public:
    void Clear() { count = 0; }
    // The value is text[offset, offset + length); a later name replaces the value.
    void Add(const std::string& name, std::string::size_type offset, std::size_t length);
    // Makes the map hold exactly the collected attributes, values taken from text.
    void Fill(TagAttributes& attributes, const std::string& text);

private:
    using Entry = std::pair<std::string, std::pair<std::string::size_type, std::size_t>>;

    void Sort();
    bool IsShadowed(std::size_t sortedIndex) const;
    bool HasSameNames(const TagAttributes& attributes) const;
    void Recycle(TagAttributes& attributes);

    std::vector<Entry> entries; // reused: only the first count are this tag's
    std::size_t count = 0;
    std::vector<std::size_t> order;
    std::vector<TagAttributes::node_type> spareNodes;
};

} // namespace Utilities
