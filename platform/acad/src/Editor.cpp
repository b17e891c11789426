#include "acadx.h"
#include "accmd.h"
#include "aced.h"
#include "dbtrans.h"
#include "rxdlinkr.h"

#include "win/winx.h"

#include <map>

namespace {

struct Editor {
    std::vector<std::wstring> posted;
    int prompts = 0;
    int displayUpdates = 0;
    std::vector<AcDbObjectId> pickFirst;
    std::map<Adesk::Int64, std::vector<AcDbObjectId>> selectionSets;
    Adesk::Int64 nextSet = 1;
};

Editor& editor() {
    static Editor instance;
    return instance;
}

constexpr wchar_t kMainWindowClass[] = L"CadMainFrame";

LRESULT mainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND createMainWindow() {
    WNDCLASSEX wc;
    wc.lpfnWndProc = mainWindowProc;
    wc.lpszClassName = kMainWindowClass;
    RegisterClassEx(&wc);
    return CreateWindowEx(0, kMainWindowClass, L"Drawing1", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                          1280, 900, nullptr, nullptr, nullptr, nullptr);
}

const std::vector<AcDbObjectId>* findSet(const ads_name ss) {
    const auto it = editor().selectionSets.find(ss[0]);
    return it == editor().selectionSets.end() ? nullptr : &it->second;
}

} // namespace

bool acedPostCommand(const ACHAR* command) {
    if (!command) return false;
    editor().posted.emplace_back(command);
    return true;
}

void acedPostCommandPrompt() {
    ++editor().prompts;
}

void acedUpdateDisplay() {
    ++editor().displayUpdates;
}

HWND adsw_acadMainWnd() {
    static HWND main = nullptr;
    if (!IsWindow(main)) {
        main = createMainWindow();
        winx::setMainWindow(main); // owner of modal dialogs, as the program's frame is
    }
    return main;
}

int acedSSGet(const ACHAR* mode, const void*, const void*, const resbuf*, ads_name ss) {
    if (!ss || !mode) return RTERROR;
    const std::wstring m = mode;
    if ((m != L"_P" && m != L"P" && m != L"_I" && m != L"I") || editor().pickFirst.empty())
        return RTERROR;
    const Adesk::Int64 id = editor().nextSet++;
    editor().selectionSets[id] = editor().pickFirst;
    ss[0] = id;
    ss[1] = 0;
    return RTNORM;
}

int acedSSLength(const ads_name ss, Adesk::Int32* length) {
    const auto* set = ss ? findSet(ss) : nullptr;
    if (!set || !length) return RTERROR;
    *length = static_cast<Adesk::Int32>(set->size());
    return RTNORM;
}

int acedSSName(const ads_name ss, Adesk::Int32 index, ads_name entity) {
    const auto* set = ss ? findSet(ss) : nullptr;
    if (!set || !entity || index < 0 || static_cast<size_t>(index) >= set->size()) return RTERROR;
    entity[0] = (*set)[static_cast<size_t>(index)].asOldId();
    entity[1] = 0;
    return RTNORM;
}

int acedSSFree(const ads_name ss) {
    if (!ss) return RTERROR;
    return editor().selectionSets.erase(ss[0]) ? RTNORM : RTERROR;
}

Acad::ErrorStatus acdbGetObjectId(AcDbObjectId& id, const ads_name entity) {
    if (!entity || entity[0] == 0) return Acad::eInvalidAdsName;
    id = AcDbObjectId(entity[0]);
    return Acad::eOk;
}

Acad::ErrorStatus acdbGetAdsName(ads_name entity, AcDbObjectId id) {
    if (!entity || id.isNull()) return Acad::eNullObjectId;
    entity[0] = id.asOldId();
    entity[1] = 0;
    return Acad::eOk;
}

namespace acadx {

const std::vector<std::wstring>& postedCommands() {
    return editor().posted;
}
int promptCount() {
    return editor().prompts;
}
int displayUpdateCount() {
    return editor().displayUpdates;
}
void setPickFirst(const std::vector<AcDbObjectId>& ids) {
    editor().pickFirst = ids;
}
int openSelectionSets() {
    return static_cast<int>(editor().selectionSets.size());
}

void reset() {
    auto& e = editor();
    e = Editor{};
    clearPrinted();
    while (actrTransactionManager->numActiveTransactions() > 0)
        (void)actrTransactionManager->abortTransaction();
    acrxSysRegistry()->atPut(ACRX_COMMAND_DOCK, std::make_unique<AcEdCommandStack>());
    acrxSysRegistry()->atPut(ACRX_DYNAMIC_LINKER, std::make_unique<AcRxDynamicLinker>());
}

} // namespace acadx
