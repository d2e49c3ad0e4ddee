#include "AttributeCollector.hpp"

namespace Utilities {

void AttributeCollector::Add(const std::string& name, std::string::size_type offset, std::size_t length)
{
    if (count == entries.size()) {
        entries.emplace_back();
    }
    entries[count].first = name;
    entries[count].second = {offset, length};
    ++count;
}

void AttributeCollector::Fill(TagAttributes& attributes, const std::string& text)
{
    Sort();
    const bool sameNames = HasSameNames(attributes);
    if (!sameNames) {
        Recycle(attributes);
    }
    auto node = attributes.begin();
    for (std::size_t i = 0; i < count; ++i) {
        if (IsShadowed(i)) {
            continue;
        }
        const auto& [name, value] = entries[order[i]];
        if (sameNames) {
            (node++)->second.assign(text, value.first, value.second);
        } else if (spareNodes.empty()) {
            attributes.emplace_hint(attributes.end(), name, text.substr(value.first, value.second));
        } else {
            TagAttributes::node_type spare = std::move(spareNodes.back());
            spareNodes.pop_back();
            spare.key() = name;
            spare.mapped().assign(text, value.first, value.second);
            attributes.insert(attributes.end(), std::move(spare));
        }
    }
}

// A stable insertion sort by name: tags have a handful of attributes.
void AttributeCollector::Sort()
{
    order.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t j = i;
        for (; j > 0 && entries[i].first < entries[order[j - 1]].first; --j) {
            order[j] = order[j - 1];
        }
        order[j] = i;
    }
}

// Whether a later attribute of the same name follows, whose value wins.
bool AttributeCollector::IsShadowed(std::size_t sortedIndex) const
{
    return sortedIndex + 1 < count && entries[order[sortedIndex + 1]].first == entries[order[sortedIndex]].first;
}

// The predicate may have changed the map since it was filled, so it is
// compared as it is now.
bool AttributeCollector::HasSameNames(const TagAttributes& attributes) const
{
    auto node = attributes.begin();
    for (std::size_t i = 0; i < count; ++i) {
        if (IsShadowed(i)) {
            continue;
        }
        if (node == attributes.end() || node->first != entries[order[i]].first) {
            return false;
        }
        ++node;
    }
    return node == attributes.end();
}

void AttributeCollector::Recycle(TagAttributes& attributes)
{
    while (!attributes.empty()) {
        spareNodes.push_back(attributes.extract(attributes.begin()));
    }
}

} // namespace Utilities
