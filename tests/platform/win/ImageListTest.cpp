#include "ControlTestHost.h"

#include "win/wingdi.h"

namespace {

using controltest::ControlTest;

class ImageListTest : public ControlTest {};

TEST_F(ImageListTest, ImagesAreCountedByTheListSize) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
    ASSERT_NE(list, nullptr);
    int cx = 0;
    int cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);

    HBITMAP strip = CreateBitmap(48, 16, 1, 32, nullptr); // three images side by side
    EXPECT_EQ(ImageList_Add(list, strip, nullptr), 0);
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    DeleteObject(strip); // the list keeps its own copy
    auto* icon = reinterpret_cast<HICON>(0x7100);
    EXPECT_EQ(ImageList_AddIcon(list, icon), 3);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 1, icon), 1);
    EXPECT_EQ(ImageList_ReplaceIcon(list, 9, icon), -1);
    EXPECT_EQ(ImageList_AddIcon(list, nullptr), -1);
    EXPECT_EQ(ImageList_GetImageCount(list), 4);

    EXPECT_TRUE(ImageList_Remove(list, 0));
    EXPECT_FALSE(ImageList_Remove(list, 3));
    EXPECT_EQ(ImageList_GetImageCount(list), 3);
    EXPECT_TRUE(ImageList_Remove(list, -1));
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_EQ(ImageList_Add(list, nullptr, nullptr), -1);

    EXPECT_TRUE(ImageList_Destroy(list));
    EXPECT_FALSE(ImageList_Destroy(list));
    EXPECT_EQ(ImageList_AddIcon(list, icon), -1);
    EXPECT_EQ(ImageList_GetImageCount(list), 0);
    EXPECT_FALSE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR32, 1, 1), nullptr);
}

TEST_F(ImageListTest, AListViewDestroysItsListsUnlessTheyAreShared) {
    HIMAGELIST owned = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    HIMAGELIST shared = ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    HWND owner = host.create(WC_LISTVIEW, LVS_REPORT, 1);
    HWND sharer = host.create(WC_LISTVIEW, LVS_REPORT | LVS_SHAREIMAGELISTS, 2);
    EXPECT_EQ(SendMessage(owner, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(owned)),
              0);
    SendMessage(sharer, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(shared));
    EXPECT_EQ(SendMessage(owner, LVM_GETIMAGELIST, LVSIL_SMALL, 0),
              reinterpret_cast<LRESULT>(owned));
    DestroyWindow(owner);
    DestroyWindow(sharer);
    EXPECT_FALSE(ImageList_Destroy(owned));
    EXPECT_TRUE(ImageList_Destroy(shared));
}

} // namespace

#include "afxcmn.h"

namespace {

TEST_F(ImageListTest, TheClassLibraryImageListOwnsItsListUntilDetached) {
    HIMAGELIST handle = nullptr;
    {
        CImageList images;
        ASSERT_TRUE(images.Create(16, 16, ILC_COLOR32, 0, 2));
        EXPECT_FALSE(images.Create(16, 16, ILC_COLOR32, 0, 2)); // one list per object
        handle = images.GetSafeHandle();
        EXPECT_EQ(CImageList::FromHandle(handle), &images);
        EXPECT_EQ(images.Add(reinterpret_cast<HICON>(0x7100)), 0);
        EXPECT_EQ(images.GetImageCount(), 1);
    }
    EXPECT_EQ(CImageList::FromHandle(handle), nullptr);
    EXPECT_FALSE(ImageList_Destroy(handle)); // gone with its object

    CImageList kept;
    ASSERT_TRUE(kept.Create(8, 8, ILC_COLOR32, 0, 2));
    HIMAGELIST detached = kept.Detach();
    EXPECT_FALSE(kept.DeleteImageList());
    EXPECT_TRUE(ImageList_Destroy(detached));
    EXPECT_FALSE(kept.Create(999999, 8, ILC_COLOR32, 0, 2));
}

} // namespace
