#pragma once
// The Vantrelle entries in a configuration folder's Menus/menus.xml (the
// Window and Insert menus) and Objects/insertbar.xml (the Common category's
// button and its separator). A file that is not there is left alone; one
// that cannot be read or saved, or lacks an item that an entry follows,
// stays as it was and ends the operation with Installer::Exception.
#include "Report.hpp"

#include <boost/filesystem/path.hpp>

#include <vector>

namespace Installer {

// Adds the entries that are missing, each after its item; reports each file
// edited, or left as it was, with what became of each entry.
void AddMenuEntries(const boost::filesystem::path& configurationFolder, Report& report);
// Removes the entries that are there; the line feeds before them stay.
void RemoveMenuEntries(const boost::filesystem::path& configurationFolder, Report& report);

// What an operation does to a configuration folder's files.
enum class MenuEdit { Remove, Add };
// Makes the edits in memory, in order, and throws what would end them: an
// item that an entry follows is missing, or a file that they change cannot
// be read or saved. Writes nothing.
void CheckMenuEdits(const boost::filesystem::path& configurationFolder, const std::vector<MenuEdit>& edits);

} // namespace Installer
