// Each call that an operation makes into the system's file, folder and
// registry functions fails in turn, the way a full disk, a virus scanner or
// a locked file makes it fail: the operation either completes as it would
// have, or stops with a text that names what failed and why, and never
// leaves a configuration file half written or a temporary file behind.
#include "DreamweaverInstaller.hpp"

#include "Faults.hpp"
#include "Layout.hpp"
#include "Paths.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/system/error_code.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>

using namespace TestSupport;

namespace {

using Tree = std::map<std::string, std::string>;
using Operation = void (*)(Installer::DreamweaverInstaller&);

void Install(Installer::DreamweaverInstaller& installer) { installer.Install(); }
void Uninstall(Installer::DreamweaverInstaller& installer) { installer.Uninstall(); }
void Reinstall(Installer::DreamweaverInstaller& installer) { installer.Uninstall(), installer.Install(); }

bool IsConfigurationFile(const std::string& name) { return std::regex_search(name, std::regex("(menus|insertbar)\\.xml$")); }

// Every folder and file below the root by name: a folder as "", a file as
// its bytes, or as its size unless it is a configuration file or whole is
// set (the copies that the installer makes differ in size).
Tree Snapshot(const fs::path& root, bool whole = false)
{
    Tree tree;
    for (fs::recursive_directory_iterator entry(root), end; entry != end; ++entry) {
        const std::string name = entry->path().string().substr(root.string().size());
        tree[name] = fs::is_directory(entry->status())                ? ""
                     : whole || IsConfigurationFile(name)             ? ReadFile(entry->path())
                                                                      : "size " + std::to_string(fs::file_size(entry->path()));
    }
    return tree;
}

Tree Without(Tree tree, const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        tree.erase(name);
    }
    return tree;
}

// A removal leaves the line feed before each entry, so an install that runs
// again over its own entries adds empty lines: they do not count here.
Tree WithoutEmptyLines(Tree tree)
{
    for (auto& [name, bytes] : tree) {
        bytes = IsConfigurationFile(name) ? std::regex_replace(bytes, std::regex("(\r\n)+"), "\r\n") : bytes;
    }
    return tree;
}

// The names that the trees do not hold alike, for a short message.
std::string Differences(const Tree& expected, const Tree& seen)
{
    std::set<std::string> names;
    for (const auto& [first, second] : {std::tie(expected, seen), std::tie(seen, expected)}) {
        for (const auto& [name, value] : first) {
            names.insert(second.count(name) == 0 || second.at(name) != value ? name : "");
        }
    }
    names.erase("");
    std::string text;
    for (const std::string& name : names) {
        text += name + "; ";
    }
    return text;
}

// From the extension installed: the states that an operation passes
// through, and what happens when each of its calls goes wrong in turn.
class FaultTest : public ::testing::Test, protected DreamweaverLayout {
protected:
    void Prepare(Operation operation)
    {
        Arrange();
        Run(Install);
        whole = Snapshot(root.path, true);
        start = Snapshot(root.path);
        installer.RemoveMenuEntries(Configuration());
        installer.RemoveMenuEntries(user);
        removed = Snapshot(root.path);
        Restore();
        Faults::Arm({});
        Run(operation);
        calls = Faults::Disarm();
        end = now = Snapshot(root.path);
    }

    // Brings the files below the root back to the start from now.
    void Restore()
    {
        for (const auto& [name, bytes] : now) {
            whole.count(name) == 0 ? void(fs::remove_all(root.path.string() + name)) : void();
        }
        for (const auto& [name, bytes] : whole) {
            if (bytes.empty() && now.count(name) == 0) {
                fs::create_directories(root.path.string() + name);
            } else if (!bytes.empty() && (now.count(name) == 0 || now.at(name) != start.at(name))) {
                WriteFile(root.path.string() + name, bytes);
            }
        }
    }

    // The installer takes its files from "Files" in the current folder.
    void Run(Operation operation)
    {
        struct InDistribution {
            explicit InDistribution(const fs::path& folder) { fs::current_path(folder); }
            ~InDistribution() { fs::current_path(fs::temp_directory_path()); }
        } in(distribution);
        operation(installer);
    }

    // After a run that went wrong: every configuration file is in one of the
    // states that the fault-free run passes through; the files that neither
    // the start nor the end has are returned.
    std::vector<std::string> CheckFiles(const std::string& where)
    {
        now = Snapshot(root.path);
        std::vector<std::string> left;
        for (const auto& [file, bytes] : now) {
            EXPECT_TRUE(!IsConfigurationFile(file) || bytes == start.at(file) || bytes == removed.at(file) || bytes == end.at(file))
                << where << ": " << file;
            start.count(file) + end.count(file) == 0 ? left.push_back(file) : void();
        }
        return left;
    }

    // The same operation run again reaches the fault-free end but for the
    // files left, unless the run ended where the fault-free one begins or
    // ends, which has been seen.
    void CheckRunAgain(Operation operation, const std::vector<std::string>& left, const std::string& where)
    {
        if (!Differences(start, now).empty() && !Differences(end, Without(now, left)).empty()) {
            Run(operation);
            now = Snapshot(root.path);
            EXPECT_EQ("", Differences(WithoutEmptyLines(end), WithoutEmptyLines(Without(now, left)))) << where << ", run again";
        }
    }

    void FailEachCall(const std::string& name, Operation operation, std::size_t first)
    {
        const DWORD codes[] = {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL};
        for (auto call = static_cast<unsigned>(first); call <= calls.size(); ++call) {
            Restore();
            const DWORD code = codes[call % std::size(codes)];
            Faults::Arm({call, code});
            const std::string failure = FailureText([&] { Run(operation); });
            Faults::Disarm();
            const std::string where = name + ", call " + std::to_string(call) + ", " + Faults::Failed();
            const auto left = CheckFiles(where);
            // Only a temporary file whose removal failed may stay behind.
            EXPECT_TRUE(left.empty() || Faults::Failed() == "DeleteFileW") << where << ": left " << left.front();
            const std::string reason = boost::system::error_code(static_cast<int>(code), boost::system::system_category()).message();
            const bool named = failure.find(Utilities::NativeText(root.path)) != std::string::npos || failure.find("HKEY_") != std::string::npos;
            EXPECT_TRUE(failure.empty() ? Differences(end, Without(now, left)).empty() : named && failure.find(reason) != std::string::npos)
                << where << ": " << failure;
            CheckRunAgain(operation, left, where);
        }
    }

    Installer::DreamweaverInstaller installer{""};
    Tree whole, start, removed, end, now;
    std::vector<std::string> calls;
};

} // namespace

TEST_F(FaultTest, AFailingCallCompletesAnInstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    Prepare(Install);
    FailEachCall("install", Install, 1);
}

TEST_F(FaultTest, AFailingCallCompletesAnUninstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    Prepare(Uninstall);
    FailEachCall("uninstall", Uninstall, 1);
}

// A reinstall's first calls are an uninstall's, which fail in the test above.
TEST_F(FaultTest, AFailingCallCompletesAReinstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    Prepare(Uninstall);
    const std::size_t uninstalling = calls.size();
    Prepare(Reinstall);
    FailEachCall("reinstall", Reinstall, uninstalling + 1);
}
