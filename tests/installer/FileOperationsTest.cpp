#include "FileOperations.hpp"

#include "HeldFile.hpp"
#include "Paths.hpp"
#include "TempFolder.hpp"

#include <gtest/gtest.h>

namespace fs = boost::filesystem;
using TestSupport::ReadFile;
using TestSupport::WriteFile;
using Utilities::Exists;
using Utilities::NativeText;

namespace {

// Empty when the operation succeeded, else the text of its failure.
template <class Operation>
std::string Failure(Operation operation)
{
    try {
        operation();
    } catch (const std::exception& failure) {
        return failure.what();
    }
    return "";
}

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

} // namespace

TEST(FileOperations, CopyingReplacesTheTargetAndCreatesItsFolders)
{
    TestSupport::TempFolder folder;
    WriteFile(folder / "source.txt", "new content");
    WriteFile(folder / "old/target.txt", "older, longer content");
    for (const fs::path& target : {folder / "old/target.txt", folder / "a/b/c/target.txt"}) {
        EXPECT_EQ("", Failure([&] { Installer::Copy(folder / "source.txt", target); }));
        EXPECT_EQ("new content", ReadFile(target));
    }
}

TEST(FileOperations, ACopyThatFailsNamesBothPathsWithBackslashesAndTheReason)
{
    TestSupport::TempFolder folder;
    WriteFile(folder / "source.txt", "x");
    WriteFile(folder / "old.txt", "old");
    WriteFile(folder / "locked.txt", "locked");
    WriteFile(folder / "folder/inside.txt", "kept");
    const struct {
        fs::path source, target;
    } rows[] = {
        {"Missing/source.txt", folder.Path().string() + "/old.txt"},
        {folder / "source.txt", folder / "locked.txt"},
        {folder / "source.txt", folder / "folder"},
        {folder / "source.txt", folder / "source.txt/below.txt"},
    };
    {
        const auto lock = HoldOpen(folder / "locked.txt", 0);
        for (const auto& row : rows) {
            const std::string failure = Failure([&] { Installer::Copy(row.source, row.target); });
            EXPECT_TRUE(StartsWith(failure, "Installer: Cannot copy source file \"" + NativeText(row.source) +
                                                "\" to target location \"" + NativeText(row.target) + "\" ("))
                << failure;
            EXPECT_GT(failure.size(), failure.find(" (") + 3) << "a reason";
            EXPECT_EQ(')', failure.back());
        }
    }
    EXPECT_FALSE(Exists(folder / "old.txt")) << "replaced targets are removed before the copy";
    EXPECT_EQ("locked", ReadFile(folder / "locked.txt"));
    EXPECT_EQ("kept", ReadFile(folder / "folder/inside.txt"));
}

TEST(FileOperations, RemovingTakesEverythingBelowAPathAndAMissingPathIsNoError)
{
    TestSupport::TempFolder folder;
    WriteFile(folder / "tree/a/b.txt", "x");
    WriteFile(folder / "locked.txt", "x");
    const auto lock = HoldOpen(folder / "locked.txt", 0);
    for (const fs::path& path : {folder / "tree", folder / "never/there.txt"}) {
        EXPECT_EQ("", Failure([&] { Installer::Remove(path); }));
        EXPECT_FALSE(Exists(path));
    }
    const std::string failure = Failure([&] { Installer::Remove(folder.Path().string() + "/locked.txt"); });
    EXPECT_TRUE(StartsWith(failure, "Installer: Cannot remove \"" + NativeText(folder / "locked.txt") + "\" (")) << failure;
    EXPECT_TRUE(Exists(folder / "locked.txt"));
}
