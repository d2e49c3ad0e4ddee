// Speed of a full scan (a search for an id that is not there) over
// host-style menus files, beside pugixml parsing the same text and searching
// its tree for the same element by attribute.
#include "TagScanner.hpp"

#include <benchmark/benchmark.h>
#include <boost/bind/bind.hpp>
#include <pugixml.hpp>

#include <cstring>
#include <map>
#include <string>

namespace {

const char* const AbsentId = "DWMenu_Window_VNL";

std::string MenuBlock(std::size_t index)
{
    const std::string i = std::to_string(index);
    std::string block = "\t<menu name=\"_Menu " + i + "\" id=\"DWMenu_" + i + "\">\r\n";
    for (int j = 0; j < 8; ++j) {
        const std::string item = i + "_" + std::to_string(j);
        block += "\t\t<menuitem name=\"_Item " + item + "\" key=\"Cmd+Shift+" + std::to_string(j) +
                 "\" enabled=\"dw.getFocus() != 'browser' && dw.getDocumentDOM() != null\" "
                 "command=\"dw.getDocumentDOM().insertObject('Item" + item + "')\" id=\"DWMenu_" + item + "\" />\r\n";
    }
    return block + "\t\t<separator />\r\n\t</menu>\r\n";
}

// About the given number of megabytes of menus, generated once per size.
const std::string& Menus(std::size_t megabytes)
{
    static std::map<std::size_t, std::string> cache;
    std::string& text = cache[megabytes];
    if (text.empty()) {
        text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<menus>\r\n<menubar name=\"Main Window\" id=\"DWMainWindow\">\r\n";
        for (std::size_t index = 0; text.size() < megabytes << 20; ++index) {
            text += MenuBlock(index);
        }
        text += "</menubar>\r\n</menus>\r\n";
    }
    return text;
}

// The tag the scanner finds for an id; empty when none is.
std::string FoundTag(const std::string& text, const char* id)
{
    using namespace boost::placeholders;
    Utilities::FindByNameAndAttribute finder("menuitem", "id", id);
    const Utilities::TagSpan span =
        Utilities::ScanTags(text, 0, boost::bind(&Utilities::FindByNameAndAttribute::Match, &finder, _1, _2, _3));
    return text.substr(span.first, span.second - span.first);
}

void ScannerFind(benchmark::State& state)
{
    using namespace boost::placeholders;
    const std::string& text = Menus(static_cast<std::size_t>(state.range(0)));
    // A scanner that finds nothing would be quick too: one far into the text must be found.
    const std::string id = "DWMenu_" + std::to_string(text.size() / 2000) + "_7";
    const std::string end = "id=\"" + id + "\" />";
    const std::string found = FoundTag(text, id.c_str());
    if (found.compare(0, 10, "<menuitem ") != 0 || found.size() < end.size() ||
        found.compare(found.size() - end.size(), end.size(), end) != 0) {
        state.SkipWithError("a present id was not found");
        return;
    }
    for (auto _ : state) {
        Utilities::FindByNameAndAttribute finder("menuitem", "id", AbsentId);
        const Utilities::TagSpan span = Utilities::ScanTags(
            text, 0, boost::bind(&Utilities::FindByNameAndAttribute::Match, &finder, _1, _2, _3));
        if (span.first != span.second) {
            state.SkipWithError("the absent id was found");
        }
        benchmark::DoNotOptimize(span);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void PugixmlParseAndSearch(benchmark::State& state)
{
    const std::string& text = Menus(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        pugi::xml_document document;
        const pugi::xml_parse_result result = document.load_buffer(text.data(), text.size());
        if (!result) {
            state.SkipWithError(result.description());
            break;
        }
        const pugi::xml_node node = document.find_node([](pugi::xml_node candidate) {
            return std::strcmp(candidate.name(), "menuitem") == 0 &&
                   std::strcmp(candidate.attribute("id").value(), AbsentId) == 0;
        });
        if (node) {
            state.SkipWithError("the absent id was found");
        }
        benchmark::DoNotOptimize(node);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

BENCHMARK(ScannerFind)->Arg(1)->Arg(64)->Unit(benchmark::kMillisecond);
BENCHMARK(PugixmlParseAndSearch)->Arg(1)->Arg(64)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
