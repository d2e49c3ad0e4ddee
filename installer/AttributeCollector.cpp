#include "AttributeCollector.hpp"

namespace Utilities {

namespace {

// Clearing and appending copies into the string's own space without the
// general replacement's checks for overlapping text.
void AssignValue(std::string& value, const std::string& text, const std::string::size_type offset, std::size_t length)
{
    value.clear();
    value.append(text.data() + offset, length);
}

} // namespace

void AttributeCollector::Fill(TagAttributes& attributes, const std::string& text)
{
    if (FillInOrder(attributes, order, text)) {
        return;
    }
    for (Layout& layout : parked) {
        if (FillInOrder(layout.map, layout.order, text)) {
            Swap(attributes, layout);
            return;
        }
    }
    Sort();
    if (!HasSameNames(attributes)) {
        Swap(attributes, LayoutToSwapIn());
        if (!HasSameNames(attributes)) {
            Rebuild(attributes);
        }
    }
    order = sorted;
    FillSorted(attributes, text);
}

// The common case of a run of tags alike: the map holds exactly this tag's
// names in the given order of its entries. The map's keys are sorted and
// unique, so this tag's names are too, in that order, and none is shadowed;
// only the values need replacing. A name that differs leaves the values
// before it replaced, which does no harm: every value is replaced before the
// map is handed over.
bool AttributeCollector::FillInOrder(TagAttributes& attributes, const std::vector<std::size_t>& order,
                                     const std::string& text) const
{
    if (order.size() != count || attributes.size() != count) {
        return false;
    }
    const std::size_t* next = order.data();
    for (auto& attribute : attributes) {
        const Entry& entry = entries[*next++];
        if (!SameText(attribute.first, entry.Name())) {
            return false;
        }
        AssignValue(attribute.second, text, entry.offset, entry.length);
    }
    return true;
}

// Puts the map aside in the layout's place and takes the layout's tree.
void AttributeCollector::Swap(TagAttributes& attributes, Layout& layout)
{
    attributes.swap(layout.map);
    order.swap(layout.order);
}

// A kept tree with this tag's names, or else the next in turn to be given up.
AttributeCollector::Layout& AttributeCollector::LayoutToSwapIn()
{
    for (Layout& layout : parked) {
        if (HasSameNames(layout.map)) {
            return layout;
        }
    }
    Layout& evicted = parked[nextToEvict];
    nextToEvict = (nextToEvict + 1) % parked.size();
    return evicted;
}

// A stable insertion sort by name: tags have a handful of attributes.
void AttributeCollector::Sort()
{
    sorted.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view name = entries[i].Name();
        std::size_t j = i;
        for (; j > 0 && name < entries[sorted[j - 1]].Name(); --j) {
            sorted[j] = sorted[j - 1];
        }
        sorted[j] = i;
    }
}

// Whether a later attribute of the same name follows, whose value wins.
bool AttributeCollector::IsShadowed(std::size_t sortedIndex) const
{
    return sortedIndex + 1 < count && entries[sorted[sortedIndex + 1]].Name() == entries[sorted[sortedIndex]].Name();
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
        if (node == attributes.end() || !SameText(node->first, entries[sorted[i]].Name())) {
            return false;
        }
        ++node;
    }
    return node == attributes.end();
}

// Gives the map this tag's names, reusing its nodes; the values are left to
// FillSorted.
void AttributeCollector::Rebuild(TagAttributes& attributes)
{
    while (!attributes.empty()) {
        spareNodes.push_back(attributes.extract(attributes.begin()));
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (IsShadowed(i)) {
            continue;
        }
        const std::string_view name = entries[sorted[i]].Name();
        if (spareNodes.empty()) {
            attributes.emplace_hint(attributes.end(), name, std::string());
        } else {
            TagAttributes::node_type spare = std::move(spareNodes.back());
            spareNodes.pop_back();
            spare.key().assign(name.data(), name.size());
            attributes.insert(attributes.end(), std::move(spare));
        }
    }
}

// The map holds this tag's names: each takes the value of its last entry.
void AttributeCollector::FillSorted(TagAttributes& attributes, const std::string& text) const
{
    auto node = attributes.begin();
    for (std::size_t i = 0; i < count; ++i) {
        if (!IsShadowed(i)) {
            const Entry& entry = entries[sorted[i]];
            AssignValue((node++)->second, text, entry.offset, entry.length);
        }
    }
}

} // namespace Utilities
