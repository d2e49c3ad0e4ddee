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

// A removal leaves the line feed before each entry, so an install that runs
// again over its own entries adds empty lines: they do not count here.
Tree WithoutEmptyLines(Tree tree)
{
    for (auto& [name, bytes] : tree) {
        bytes = IsConfigurationFile(name) ? std::regex_replace(bytes, std::regex("(\r\n)+"), "\r\n") : bytes;
    }
    return tree;
}

// From the extension installed: the states that an operation passes
// through, and what happens when each of its calls goes wrong in turn. The
// installer takes its files from "Files" in the current folder.
class FaultTest : public ::testing::Test, protected DreamweaverLayout {
protected:
    ~FaultTest() override { fs::current_path(fs::temp_directory_path()); }

    void Prepare(Operation operation)
    {
        fs::current_path(fs::temp_directory_path());
        Arrange();
        fs::current_path(distribution);
        Install(installer);
        start = Snapshot(root.path);
        installer.RemoveMenuEntries(Configuration());
        installer.RemoveMenuEntries(user);
        removed = Snapshot(root.path);
        Restore();
        Faults::Arm({});
        operation(installer);
        calls = Faults::Disarm();
        end = Snapshot(root.path);
    }

    // Brings the files below the root back to the start.
    void Restore()
    {
        const Tree now = Snapshot(root.path);
        for (const auto& [name, bytes] : now) {
            start.count(name) == 0 ? void(fs::remove_all(root.path.string() + name)) : void();
        }
        for (const auto& [name, bytes] : start) {
            if (now.count(name) == 0 || now.at(name) != bytes) {
                bytes == "/" ? void(fs::create_directories(root.path.string() + name)) : WriteFile(root.path.string() + name, bytes);
            }
        }
    }

    // The files below the root but those that neither the start nor the end has.
    Tree Known(Tree tree) const
    {
        for (auto file = tree.begin(); file != tree.end();) {
            file = start.count(file->first) + end.count(file->first) == 0 ? tree.erase(file) : std::next(file);
        }
        return tree;
    }

    // Fails the calls after the first skipped ones.
    void FailEachCall(const std::string& name, Operation operation, std::size_t skipped = 0)
    {
        Prepare(operation);
        const DWORD codes[] = {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL};
        for (auto call = static_cast<unsigned>(skipped + 1); call <= calls.size(); ++call) {
            Restore();
            const DWORD code = codes[call % std::size(codes)];
            Faults::Arm({call, code});
            const std::string failure = TextOrFailure([&] { operation(installer); });
            Faults::Disarm();
            const std::string where = name + ", call " + std::to_string(call) + ", " + Faults::Failed();
            // Every configuration file is in one of the states that the
            // fault-free run passes through; only a temporary file whose
            // removal failed may stay behind.
            const Tree tree = Snapshot(root.path), known = Known(tree);
            for (const auto& [file, bytes] : tree) {
                EXPECT_TRUE(!IsConfigurationFile(file) || bytes == start.at(file) || bytes == removed.at(file) || bytes == end.at(file))
                    << where << ": " << file;
            }
            EXPECT_TRUE(known.size() == tree.size() || Faults::Failed() == "DeleteFileW") << where << ": a file left";
            const bool named = failure.find(Utilities::NativeText(root.path)) != std::string::npos || failure.find("HKEY_") != std::string::npos;
            EXPECT_TRUE(failure.empty() ? known == end : named && failure.find(Reason(code)) != std::string::npos) << where << ": " << failure;
            // Run again from where it stopped, it reaches the fault-free end.
            if (known != end && known != start) {
                operation(installer);
                EXPECT_TRUE(WithoutEmptyLines(end) == WithoutEmptyLines(Known(Snapshot(root.path)))) << where << ", run again";
            }
        }
    }

    Installer::DreamweaverInstaller installer{""};
    Tree start, removed, end;
    std::vector<std::string> calls;
};

} // namespace

TEST_F(FaultTest, AFailingCallCompletesAnInstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    FailEachCall("install", Install);
}

TEST_F(FaultTest, AFailingCallCompletesAnUninstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    FailEachCall("uninstall", Uninstall);
}

// A reinstall's first calls are an uninstall's, which fail in the test above.
TEST_F(FaultTest, AFailingCallCompletesAReinstallOrStopsItNamedAndLeavesEveryFileWholeAndNoTemporaryFile)
{
    Prepare(Uninstall);
    FailEachCall("reinstall", Reinstall, calls.size());
}
