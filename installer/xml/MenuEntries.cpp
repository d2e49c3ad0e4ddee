#include "MenuEntries.hpp"

#include "Exception.hpp"
#include "FileContent.hpp"
#include "Paths.hpp"
#include "XMLFile.hpp"
#include "XmlMessages.hpp"

#include <boost/bind/bind.hpp>
#include <boost/format.hpp>

#include <functional>
#include <initializer_list>
#include <vector>

namespace fs = boost::filesystem;
using Utilities::FindByNameAndAttribute;
using Utilities::XMLFile;

namespace Installer {

namespace {

// Each text goes in unchanged right after its anchor's ">"; the host's own
// conventions (the raw "&&", the blanks before parentheses, backslashes in
// the Objects-relative paths) are kept as the host writes them.
const char* const WindowMenuEntry =
    "\n<menuitem id=\"DWMenu_Window_VNL\" name=\"Vantrelle Extension\" enabled=\"dw.getFocus() != 'browser'\" "
    "command=\"dw.toggleFloater('VNLfloater')\" checked=\"dw.getFloaterVisibility ('VNLfloater')\" "
    "domRequired=\"false\" />";
const char* const InsertMenuEntry =
    "\n<menuitem id=\"DWMenu_Insert_VNLobject\" name=\"Vantrelle\" enabled=\"dw.getFocus() != 'browser' && "
    "dw.getDocumentDOM() != null && dw.getDocumentDOM().getParseMode() == 'html'\" "
    "command=\"dw.getDocumentDOM ().insertObject ('VNLobject')\" />";
const char* const InsertBarEntries =
    "\n<separator id=\"VNL_Object_sep\" />"
    "\n<button file=\"Common\\VNLobject.html\" id=\"VNL_Object\" image=\"Common\\VNLobject.png\" name=\"Vantrelle\" />";

fs::path MenusFile(const fs::path& configurationFolder)
{
    return configurationFolder / "Menus" / "menus.xml";
}

fs::path InsertBarFile(const fs::path& configurationFolder)
{
    return configurationFolder / "Objects" / "insertbar.xml";
}

// A tag by its element name and id.
struct Item {
    const char* element;
    const char* id;
};

// The first tag from start that is one of the items, and which item it is;
// a span of (0, 0) and an index past the items when there is none.
struct Found {
    XMLFile::Span span;
    std::size_t item;
    explicit operator bool() const { return span.first != span.second; }
};

Found FindFirst(const XMLFile& file, std::initializer_list<Item> items, XMLFile::Position start)
{
    using namespace boost::placeholders;
    std::vector<FindByNameAndAttribute> finders;
    for (const Item& item : items) {
        finders.emplace_back(item.element, "id", item.id);
    }
    std::vector<XMLFile::TagPredicate> predicates;
    for (FindByNameAndAttribute& finder : finders) {
        predicates.push_back(boost::bind(&FindByNameAndAttribute::Match, &finder, _1, _2, _3));
    }
    Found found{{0, 0}, items.size()};
    found.span = file.Find(
        [&](const std::string& name, Utilities::TagAttributes& attributes, XMLFile::TagType type) {
            for (found.item = 0; found.item < predicates.size(); ++found.item) {
                if (predicates[found.item](name, attributes, type)) {
                    return true;
                }
            }
            return false;
        },
        start);
    return found;
}

// An item that an entry goes after is not in the file.
struct MissingAnchor {
    std::string id;
};

// What an edit did, entry by entry: " ID added", " ID already there", ...
using Outcomes = std::string;

void Note(Outcomes& outcomes, const char* id, const char* outcome)
{
    outcomes += (outcomes.empty() ? " " : ", ") + std::string(id) + " " + outcome;
}

// Inserts the entry after its anchor unless it is already there; throws
// MissingAnchor when it is not there and the anchor is missing. One pass
// finds whichever of the two comes first; after the anchor the entry is
// looked for from there on.
void AddEntry(XMLFile& file, const Item& entry, const Item& anchor, const char* text, XMLFile::Position start, Outcomes& outcomes)
{
    const Found first = FindFirst(file, {entry, anchor}, start);
    if (!first) {
        throw MissingAnchor{anchor.id};
    }
    if (first.item == 1 && !FindFirst(file, {entry}, first.span.second)) {
        file.Insert(first.span.second, text);
        Note(outcomes, entry.id, "added");
    } else {
        Note(outcomes, entry.id, "already there");
    }
}

// Removes the first tag of each item; the line feeds before them stay. One
// pass finds both, and the later one goes first so that the span of the
// earlier one stays right.
void RemoveEntries(XMLFile& file, const Item& one, const Item& other, Outcomes& outcomes)
{
    const Found first = FindFirst(file, {one, other}, 0);
    const Found second = first ? FindFirst(file, {first.item == 0 ? other : one}, first.span.second) : first;
    if (second) {
        file.Erase(second.span.first, second.span.second);
    }
    if (first) {
        file.Erase(first.span.first, first.span.second);
    }
    Note(outcomes, one.id, first && (first.item == 0 || second) ? "removed" : "not there");
    Note(outcomes, other.id, first && (first.item == 1 || second) ? "removed" : "not there");
}

// The edits of a file in memory, in order.
using Edit = void (*)(XMLFile&, Outcomes&);

void AddToMenus(XMLFile& menus, Outcomes& outcomes)
{
    AddEntry(menus, {"menuitem", "DWMenu_Window_VNL"}, {"menuitem", "DWMenu_Window_HTML"}, WindowMenuEntry, 0, outcomes);
    AddEntry(menus, {"menuitem", "DWMenu_Insert_VNLobject"}, {"menuitem", "DWMenu_Insert_Comment"}, InsertMenuEntry, 0, outcomes);
}

void AddToInsertBar(XMLFile& insertBar, Outcomes& outcomes)
{
    // A failed search ends at 0, so without the category the whole file is searched.
    const XMLFile::Position common = FindFirst(insertBar, {{"category", "DW_Insertbar_Common"}}, 0).span.second;
    AddEntry(insertBar, {"button", "VNL_Object"}, {"button", "DW_TagChooser"}, InsertBarEntries, common, outcomes);
}

void RemoveFromMenus(XMLFile& menus, Outcomes& outcomes)
{
    RemoveEntries(menus, {"menuitem", "DWMenu_Window_VNL"}, {"menuitem", "DWMenu_Insert_VNLobject"}, outcomes);
}

void RemoveFromInsertBar(XMLFile& insertBar, Outcomes& outcomes)
{
    RemoveEntries(insertBar, {"separator", "VNL_Object_sep"}, {"button", "VNL_Object"}, outcomes);
}

// Each file of a configuration folder with its edits.
const struct {
    fs::path (*file)(const fs::path& configurationFolder);
    Edit add, remove;
} EditedFiles[] = {{MenusFile, AddToMenus, RemoveFromMenus}, {InsertBarFile, AddToInsertBar, RemoveFromInsertBar}};

// Does the work on a file; one that cannot be read or saved, or lacks an
// item that an entry goes after, ends the operation, named with the reason.
void Editing(const fs::path& file, const std::function<void()>& work)
{
    try {
        work();
    } catch (const MissingAnchor& missing) {
        throw Exception((boost::format(Messages::MissingAnchor) % Utilities::NativeText(file) % missing.id).str());
    } catch (const std::exception& failure) {
        throw Exception((boost::format(Messages::CannotEdit) % Utilities::NativeText(file) % failure.what()).str());
    }
}

// Edits a file that exists and logs what the edit did; the file is saved
// when the edit changed it. A failure leaves it as it was.
void EditFile(const fs::path& file, Report& report, Edit edit)
{
    if (!Utilities::Exists(file)) {
        return;
    }
    Outcomes outcomes;
    bool changed = false;
    Editing(file, [&] {
        XMLFile xml(file, true);
        edit(xml, outcomes);
        changed = xml.IsChanged();
    });
    report.Write((boost::format(changed ? Messages::Edited : Messages::Unchanged) % Utilities::NativeText(file) % outcomes).str());
}

// Makes the edits of a file that exists in memory and checks that a file
// they change can be saved.
void CheckEdits(const fs::path& file, const std::vector<Edit>& edits)
{
    if (!Utilities::Exists(file)) {
        return;
    }
    Editing(file, [&] {
        XMLFile xml(file, false);
        Outcomes outcomes;
        bool changes = false;
        for (const Edit edit : edits) {
            edit(xml, outcomes);
            changes = changes || xml.IsChanged();
        }
        if (changes) {
            Utilities::CheckReplaceable(file);
        }
    });
}

} // namespace

void AddMenuEntries(const fs::path& configurationFolder, Report& report)
{
    for (const auto& edited : EditedFiles) {
        EditFile(edited.file(configurationFolder), report, edited.add);
    }
}

void RemoveMenuEntries(const fs::path& configurationFolder, Report& report)
{
    for (const auto& edited : EditedFiles) {
        EditFile(edited.file(configurationFolder), report, edited.remove);
    }
}

void CheckMenuEdits(const fs::path& configurationFolder, const std::vector<MenuEdit>& edits)
{
    for (const auto& edited : EditedFiles) {
        std::vector<Edit> fileEdits;
        for (const MenuEdit edit : edits) {
            fileEdits.push_back(edit == MenuEdit::Add ? edited.add : edited.remove);
        }
        CheckEdits(edited.file(configurationFolder), fileEdits);
    }
}

} // namespace Installer
