#include "Paths.hpp"

#include "FailureText.hpp"
#include "TempFolder.hpp"

#include <gtest/gtest.h>

TEST(Paths, OnlyNotFoundAnswersCountAsAbsent)
{
    TestSupport::TempFolder folder;
    TestSupport::WriteFile(folder / "file.txt", "x");
    EXPECT_TRUE(Utilities::Exists(folder.Path()));
    EXPECT_TRUE(Utilities::Exists(folder / "file.txt"));
    for (const auto& absent : {folder / "missing.txt", folder / "missing/child.txt", folder / "file.txt/child",
                               folder / "bad<name>", boost::filesystem::path()}) {
        EXPECT_FALSE(Utilities::Exists(absent)) << absent;
    }
}

TEST(Paths, MadePathsLoseTrailingSeparatorsButNotRootsAndRefuseNamesWindowsForbids)
{
    const struct {
        const char* text;
        const char* made;
    } rows[] = {
        {"C:\\DW\\", "C:\\DW"},
        {"C:/DW//", "C:\\DW"},
        {"C:\\", "C:\\"},
        {"\\\\server\\share\\%NAME%\\.\\x.y", "\\\\server\\share\\%NAME%\\.\\x.y"},
        {"C:\\a<b\\c", "Invalid name \"a<b\" in path \"C:\\a<b\\c\""},
        {"C:\\dir\\x:y", "Invalid name \"x:y\" in path \"C:\\dir\\x:y\""},
        {"C:\\name \\x", "Invalid name \"name \" in path \"C:\\name \\x\""},
    };
    for (const auto& row : rows) {
        std::string made;
        try {
            made = Utilities::NativeText(Utilities::MakePath(row.text));
        } catch (const std::invalid_argument& failure) {
            made = failure.what();
        }
        EXPECT_EQ(row.made, made) << row.text;
    }
    EXPECT_EQ("DW", Utilities::MakePath("C:\\DW\\").filename().string());
}
