#include "trk/PathFunctions.h"
#include "trk/Trk_Settings.h"

#include "HostTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(PathFunctions, FoldersKeepTheirTrailingSeparatorWhicheverSeparatorIsUsed) {
    EXPECT_EQ(getPath(L"c:\\lib\\prof\\HEA.pr").str(), L"c:\\lib\\prof\\");
    EXPECT_EQ(getPath(L"/home/lib/prof/HEA.pr").str(), L"/home/lib/prof/");
    EXPECT_EQ(getPath(L"/lib/Connection Standards\\Data\\t.txt").str(),
              L"/lib/Connection Standards\\Data\\");
    EXPECT_EQ(getPath(L"HEA.pr").str(), L"");
    EXPECT_EQ(getPath(L"dir\\").str(), L"dir\\");
}

TEST(PathFunctions, FileNamesComeWithOrWithoutTheirExtension) {
    EXPECT_EQ(getFileName(L"c:\\a\\t3.sss").str(), L"t3.sss");
    EXPECT_EQ(getFileName(L"c:\\a\\t3.sss", false).str(), L"t3");
    EXPECT_EQ(getFileName(L"/x.y/archive.tar.gz", false).str(), L"archive.tar");
    EXPECT_EQ(getFileName(L"/x.y/noext", false).str(), L"noext");
    EXPECT_EQ(getFileName(L"dir/").str(), L"");
    EXPECT_EQ(getExtension(L"Stock1.SHP").str(), L"SHP");
    EXPECT_EQ(getExtension(L"a.b\\c").str(), L"");
}

TEST(PathFunctions, RemoveExtensionTouchesOnlyTheFileName) {
    EXPECT_EQ(removeExtension(L"Dialog Design\\Sub\\Plate.txt").str(),
              L"Dialog Design\\Sub\\Plate");
    EXPECT_EQ(removeExtension(L"v1.2/readme").str(), L"v1.2/readme");
    EXPECT_EQ(removeExtension(L"dir\\.hidden").str(), L"dir\\.hidden");
    EXPECT_EQ(removeExtension(L"name.").str(), L"name");
    EXPECT_EQ(removeExtension(L"").str(), L"");
}

TEST(Trk_Settings, FolderSettersKeepTheTrailingSeparatorRule) {
    Trk_Settings settings;
    settings.setLibDir(L"/data/library");
    EXPECT_EQ(settings.libDir.str(), L"/data/library\\");
    settings.setLibDir(L"/data/library/");
    EXPECT_EQ(settings.libDir.str(), L"/data/library/");
    settings.setLibDir(L"c:\\lib\\");
    EXPECT_EQ(settings.libDir.str(), L"c:\\lib\\");
    settings.setTrkDir(L"");
    EXPECT_EQ(settings.trkDir.str(), L"");
    EXPECT_EQ(settings.workLanguage.str(), L"en");
    EXPECT_TRUE(settings.current.showStandardsMessages);
}

} // namespace
