#include "Exception.hpp"
#include "FileOperations.hpp"

#include "FailureText.hpp"
#include "HeldFile.hpp"
#include "Paths.hpp"
#include "TempFolder.hpp"

#include <boost/filesystem/operations.hpp>
#include <gtest/gtest.h>

namespace fs = boost::filesystem;
using TestSupport::ReadFile;
using TestSupport::WriteFile;
using Utilities::NativeText;

namespace {

template <class Call>
std::string InstallerFailure(Call call)
{
    return TestSupport::FailureText<Installer::Exception>(call);
}

class FileOperationsTest : public ::testing::Test {
protected:
    std::string CopyFailurePrefix(const fs::path& source, const fs::path& target)
    {
        return "Installer: Cannot copy source file \"" + NativeText(source) + "\" to target location \"" +
               NativeText(target) + "\" (";
    }

    TestSupport::TempFolder folder;
};

} // namespace

TEST_F(FileOperationsTest, CopyingReplacesAnOlderTargetAndCreatesItsFolders)
{
    WriteFile(folder / "source.txt", "new content");
    WriteFile(folder / "old" / "target.txt", "older, longer content");
    Installer::Copy(folder / "source.txt", folder / "old" / "target.txt");
    Installer::Copy(folder / "source.txt", folder / "a" / "b" / "c" / "target.txt");
    EXPECT_EQ(ReadFile(folder / "old" / "target.txt"), "new content");
    EXPECT_EQ(ReadFile(folder / "a" / "b" / "c" / "target.txt"), "new content");
}

TEST_F(FileOperationsTest, CopyingAMissingSourceNamesBothPathsWithBackslashes)
{
    WriteFile(folder / "target.txt", "old");
    const fs::path source = fs::path("Missing") / "source.txt";
    const std::string text = InstallerFailure([&] { Installer::Copy(source, folder.Path().string() + "/target.txt"); });
    EXPECT_EQ(text.rfind(CopyFailurePrefix(source, folder / "target.txt"), 0), 0u) << text;
    EXPECT_NE(text.find("Missing\\source.txt"), std::string::npos) << text;
    EXPECT_EQ(text.back(), ')');
    EXPECT_FALSE(Utilities::Exists(folder / "target.txt"));
}

TEST_F(FileOperationsTest, CopyingOntoAFolderWithContentFailsAndKeepsIt)
{
    WriteFile(folder / "source.txt", "x");
    WriteFile(folder / "target.txt" / "inside.txt", "kept");
    const std::string text = InstallerFailure([&] { Installer::Copy(folder / "source.txt", folder / "target.txt"); });
    EXPECT_EQ(text.rfind(CopyFailurePrefix(folder / "source.txt", folder / "target.txt"), 0), 0u) << text;
    EXPECT_EQ(ReadFile(folder / "target.txt" / "inside.txt"), "kept");
}

TEST_F(FileOperationsTest, CopyingOntoALockedFileFailsAndKeepsIt)
{
    WriteFile(folder / "source.txt", "new");
    WriteFile(folder / "target.txt", "locked");
    {
        const auto lock = HoldOpen(folder / "target.txt", 0);
        ASSERT_TRUE(lock.IsValid());
        const std::string text =
            InstallerFailure([&] { Installer::Copy(folder / "source.txt", folder / "target.txt"); });
        EXPECT_EQ(text.rfind(CopyFailurePrefix(folder / "source.txt", folder / "target.txt"), 0), 0u) << text;
    }
    EXPECT_EQ(ReadFile(folder / "target.txt"), "locked");
}

TEST_F(FileOperationsTest, CopyingBelowAFileFails)
{
    WriteFile(folder / "source.txt", "x");
    WriteFile(folder / "file", "not a folder");
    const std::string text =
        InstallerFailure([&] { Installer::Copy(folder / "source.txt", folder / "file" / "target.txt"); });
    EXPECT_EQ(text.rfind(CopyFailurePrefix(folder / "source.txt", folder / "file" / "target.txt"), 0), 0u) << text;
}

TEST_F(FileOperationsTest, RemovingTakesEverythingBelowAPathAndMissingPathsAreNoError)
{
    WriteFile(folder / "tree" / "a" / "b.txt", "x");
    WriteFile(folder / "file.txt", "x");
    Installer::Remove(folder / "tree");
    Installer::Remove(folder / "file.txt");
    Installer::Remove(folder / "never" / "there.txt");
    EXPECT_FALSE(Utilities::Exists(folder / "tree"));
    EXPECT_FALSE(Utilities::Exists(folder / "file.txt"));
    EXPECT_TRUE(Utilities::Exists(folder.Path()));
}

TEST_F(FileOperationsTest, RemovingALockedFileNamesItWithBackslashes)
{
    WriteFile(folder / "locked.txt", "x");
    const auto lock = HoldOpen(folder / "locked.txt", 0);
    ASSERT_TRUE(lock.IsValid());
    const std::string text = InstallerFailure([&] { Installer::Remove(folder.Path().string() + "/locked.txt"); });
    const std::string prefix = "Installer: Cannot remove \"" + NativeText(folder / "locked.txt") + "\" (";
    EXPECT_EQ(text.rfind(prefix, 0), 0u) << text;
    EXPECT_TRUE(Utilities::Exists(folder / "locked.txt"));
}
