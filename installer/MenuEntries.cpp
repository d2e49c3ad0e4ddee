#include "DreamweaverInstaller.hpp"

#include "Exception.hpp"
#include "Messages.hpp"
#include "Paths.hpp"
#include "XMLFile.hpp"

#include <boost/bind/bind.hpp>
#include <boost/format.hpp>

#include <functional>

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

XMLFile::Span FindById(const XMLFile& file, const std::string& element, const std::string& id,
                       XMLFile::Position start)
{
    using namespace boost::placeholders;
    FindByNameAndAttribute finder(element, "id", id);
    return file.Find(boost::bind(&FindByNameAndAttribute::Match, &finder, _1, _2, _3), start);
}

bool IsFound(const XMLFile::Span& span)
{
    return span.first != span.second;
}

// Inserts the entry after its anchor unless it is already there. Without the
// anchor the entry is left out: the only other place a failed search gives
// is the start of the file, before the XML declaration.
void AddEntry(XMLFile& file, const std::string& element, const std::string& id, const std::string& anchorElement,
              const std::string& anchorId, const char* entry, XMLFile::Position start)
{
    if (IsFound(FindById(file, element, id, start))) {
        return;
    }
    const XMLFile::Span anchor = FindById(file, anchorElement, anchorId, start);
    if (IsFound(anchor)) {
        file.Insert(anchor.second, entry);
    }
}

// Removes the first such tag only; the line feed before it stays.
void RemoveEntry(XMLFile& file, const std::string& element, const std::string& id)
{
    const XMLFile::Span span = FindById(file, element, id, 0);
    if (IsFound(span)) {
        file.Erase(span.first, span.second);
    }
}

// Edits a file that exists and saves it. One that cannot be read or saved
// stays as it was and ends the operation, named with the system's reason.
void EditFile(const fs::path& file, const std::function<void(XMLFile&)>& edit)
{
    if (!Utilities::Exists(file)) {
        return;
    }
    try {
        XMLFile xml(file, true);
        edit(xml);
    } catch (const std::exception& failure) {
        throw Exception((boost::format(Messages::CannotEdit) % Utilities::NativeText(file) % failure.what()).str());
    }
}

} // namespace

void DreamweaverInstaller::AddMenuEntries(const fs::path& configurationFolder)
{
    EditFile(MenusFile(configurationFolder), [](XMLFile& menus) {
        AddEntry(menus, "menuitem", "DWMenu_Window_VNL", "menuitem", "DWMenu_Window_HTML", WindowMenuEntry, 0);
        AddEntry(menus, "menuitem", "DWMenu_Insert_VNLobject", "menuitem", "DWMenu_Insert_Comment", InsertMenuEntry, 0);
    });
    EditFile(InsertBarFile(configurationFolder), [](XMLFile& insertBar) {
        // A failed search ends at 0, so without the category the whole file is searched.
        const XMLFile::Position common = FindById(insertBar, "category", "DW_Insertbar_Common", 0).second;
        AddEntry(insertBar, "button", "VNL_Object", "button", "DW_TagChooser", InsertBarEntries, common);
    });
}

void DreamweaverInstaller::RemoveMenuEntries(const fs::path& configurationFolder)
{
    EditFile(MenusFile(configurationFolder), [](XMLFile& menus) {
        RemoveEntry(menus, "menuitem", "DWMenu_Window_VNL");
        RemoveEntry(menus, "menuitem", "DWMenu_Insert_VNLobject");
    });
    EditFile(InsertBarFile(configurationFolder), [](XMLFile& insertBar) {
        RemoveEntry(insertBar, "separator", "VNL_Object_sep");
        RemoveEntry(insertBar, "button", "VNL_Object");
    });
}

} // namespace Installer
