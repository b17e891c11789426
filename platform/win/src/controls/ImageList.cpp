// Image lists: a process-wide table of lists that know their image size and how many images
// they hold. Nothing is drawn, so the images' pixels are not kept.
#include "win/commctrl.h"
#include "win/wingdi.h"

#include <cstdint>
#include <map>

namespace {

struct ImageListData {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    int count = 0;
};

// Handles are numbers that are never reused, so a destroyed list is recognised.
std::map<std::uintptr_t, ImageListData>& lists() {
    static std::map<std::uintptr_t, ImageListData> table;
    return table;
}

ImageListData* find(HIMAGELIST list) {
    const auto found = lists().find(reinterpret_cast<std::uintptr_t>(list));
    return found == lists().end() ? nullptr : &found->second;
}

constexpr int kMaxImageSide = 16384;

int addImages(HIMAGELIST list, HBITMAP image) {
    ImageListData* data = find(list);
    if (!data || !image) return -1;
    BITMAP info;
    if (GetObject(image, sizeof info, &info) == 0 || info.bmWidth <= 0) return -1;
    const int added = info.bmWidth >= data->cx ? static_cast<int>(info.bmWidth) / data->cx : 1;
    const int first = data->count;
    data->count += added;
    return first;
}

} // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || cx > kMaxImageSide || cy > kMaxImageSide) return nullptr;
    static std::uintptr_t next = 0x1000;
    next += 0x10;
    lists()[next] = ImageListData{cx, cy, flags, 0};
    return reinterpret_cast<HIMAGELIST>(next);
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    return lists().erase(reinterpret_cast<std::uintptr_t>(list)) > 0 ? TRUE : FALSE;
}

int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask) {
    return addImages(list, image);
}

int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF maskColor) {
    return addImages(list, image);
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    ImageListData* data = find(list);
    if (!data || !icon || index < -1 || index >= data->count) return -1;
    if (index == -1) return data->count++;
    return index;
}

int ImageList_AddIcon(HIMAGELIST list, HICON icon) {
    return ImageList_ReplaceIcon(list, -1, icon);
}

BOOL ImageList_Remove(HIMAGELIST list, int index) {
    ImageListData* data = find(list);
    if (!data || index < -1 || index >= data->count) return FALSE;
    data->count = index == -1 ? 0 : data->count - 1;
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST list) {
    const ImageListData* data = find(list);
    return data ? data->count : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST list, UINT count) {
    ImageListData* data = find(list);
    if (!data || count > 0x7FFFFFFF) return FALSE;
    data->count = static_cast<int>(count);
    return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    const ImageListData* data = find(list);
    if (!data || !cx || !cy) return FALSE;
    *cx = data->cx;
    *cy = data->cy;
    return TRUE;
}
