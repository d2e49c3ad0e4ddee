#include "HostWindowTitle.hpp"

#include <gtest/gtest.h>

TEST(HostWindowTitle, TitlesWithAKeywordCountUnlessTheyLookLikeAnInstallerOrAFolder)
{
    const std::pair<const char*, bool> rows[] = {
        {"Macromedia Dreamweaver MX 2004 - [Untitled-1 (XHTML)]", true}, {"mAcRoMeDiA dReAmWeAvEr", true},
        {"Macromedia Dreamweaver MX 2004 Setup", false}, {"SETUP macromedia dreamweaver", false},
        {"Uninstall Macromedia Dreamweaver", false}, {"Macromedia Dreamweaver - C:\\Sites\\index.html", false},
        {"Macromedia  Dreamweaver", false}, {"", false},
    };
    for (const auto& [title, running] : rows) {
        EXPECT_EQ(running, Installer::IsHostWindowTitle(title, {"stale", "macromedia dreamweaver"})) << title;
    }
}
