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
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>

using namespace TestSupport;

namespace {

// Every folder ("/") and file (its bytes) below a root, by name.
using Tree = std::map<std::string, std::string>;
using Operation = void (*)(Installer::DreamweaverInstaller&);

void Install(Installer::DreamweaverInstaller& installer) { installer.Install(); }
void Uninstall(Installer::DreamweaverInstaller& installer) { installer.Uninstall(); }
void Reinstall(Installer::DreamweaverInstaller& installer) { installer.Uninstall(), installer.Install(); }

bool IsConfigurationFile(const std::string& name) { return std::regex_search(name, std::regex("(menus|insertbar)\\.xml$")); }

Tree Snapshot(const fs::path& root)
{
    Tree tree;
    for (fs::recursive_directory_iterator entry(root), end; entry != end; ++entry) {
        tree[entry->path().string().substr(root.string().size())] = fs::is_directory(entry->status()) ? "/" : ReadFile(entry->path());
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
    std::vector<std::pair<std::string, std::string>> differing;
    std::set_symmetric_difference(expected.begin(), expected.end(), seen.begin(), seen.end(), std::back_inserter(differing));
    std::string names;
    for (const auto& [name, bytes] : differing) {
        names += name + "; ";
    }
    return names;
}

// From the extension installed: the states that an operation passes
// through, and what happens when each of its calls goes wrong in turn.
class FaultTest : public ::testing::Test, protected DreamweaverLayout {
protected:
    void Prepare(Operation operation)
    {
        Arrange();
        Run(Install);
        start = Snapshot(root.path);
        installer.RemoveMenuEntries(Configuration());
        installer.RemoveMenuEntries(user);
        now = removed = Snapshot(root.path);
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
            start.count(name) == 0 ? void(fs::remove_all(root.path.string() + name)) : void();
        }
        for (const auto& [name, bytes] : start) {
            if (now.count(name) == 0 || now.at(name) != bytes) {
                bytes == "/" ? void(fs::create_directories(root.path.string() + name)) : WriteFile(root.path.string() + name, bytes);
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
            const std::string reason = Reason(code);
            const bool named = failure.find(Utilities::NativeText(root.path)) != std::string::npos || failure.find("HKEY_") != std::string::npos;
            EXPECT_TRUE(failure.empty() ? Differences(end, Without(now, left)).empty() : named && failure.find(reason) != std::string::npos)
                << where << ": " << failure;
            // Run again, it reaches the fault-free end but for the files left,
            // unless this run ended where the fault-free one begins or ends.
            if (!Differences(start, now).empty() && !Differences(end, Without(now, left)).empty()) {
                Run(operation);
                now = Snapshot(root.path);
                EXPECT_EQ("", Differences(WithoutEmptyLines(end), WithoutEmptyLines(Without(now, left)))) << where << ", run again";
            }
        }
    }

    Installer::DreamweaverInstaller installer{""};
    Tree start, removed, end, now;
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
