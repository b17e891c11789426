// Launchers whose dialogs are not part of this build yet. Each leaves its arguments untouched
// and reports that nothing was done (false), so callers keep their records as they were.
#include "frame/TrkSS.h"

bool startGridDialog(const Trk_StringArray&, const Trk_StringArray&, Trk_Array<Trk_StringArray>&,
                     bool, Trk_String, Trk_String) {
    return false;
}
bool StartDlgGenVars(KvAutoStandardsData&) {
    return false;
}
bool StartDlgEditLibSections(DlgEditLibData&, const Trk_String&) {
    return false;
}
bool StartDlgEditLibSimple(const Trk_String&, Trk_ProfValuesTable&, int&) {
    return false;
}
bool StartDlgSelectMacro(const Trk_String&, const Trk_StringArray&, const int&, const int&,
                         Trk_String&, bool&, bool) {
    return false;
}
bool StartDlgSelectMacro(const Trk_String&, const Trk_StringArray&, const AcArray<bool>&,
                         const int&, const int&, Trk_String&, bool&, bool) {
    return false;
}
bool StartDlgMacroCuts(DlgMacroCutsData&, bool&) {
    return false;
}
void StartDlgMacroProfAdv(MacroData&, const Trk_String&, const Trk_String&, bool) {}
void StartDlgMacroProfAdv(AcArray<AcDbObjectId>*, bool&, KvMACallBack) {}
bool StartDlgDesigner(const Trk_String&) {
    return false;
}
bool GetImageDlgCtrlNames(const Trk_String&, Trk_StringArray&) {
    return false;
}
bool StartArrayDlg(DynArrayData&, const AcArray<AcDbObjectId>&, const Trk_String&) {
    return false;
}
bool StartDlgCSP2(DlgCSP2Data&) {
    return false;
}
void StartDSTVPointsDlg() {}
bool StartEditProfCutsDlg(DlgProfCutsData&) {
    return false;
}
bool StartDlgProfFeatures(DlgProfFeaturesData&) {
    return false;
}
bool StartDlgGrid(KvGridDlgData&) {
    return false;
}
bool StartDlgLevels(KvLevelsDlgData&) {
    return false;
}
bool StartDlgLookUp(KvLookUpDlgData&) {
    return false;
}
bool StartDlgSelectImage(KvSelectImageDlgData&) {
    return false;
}
bool StartDlgCladdingSettings(KvCladdingDlgData&) {
    return false;
}
bool StartDlgBracing(KvBracingDlgData&) {
    return false;
}
bool StartDlgCis2Info(KvDlgCis2Data&) {
    return false;
}
bool StartDlgBillSettings(KvUiBillSettings&, bool) {
    return false;
}
bool StartDlgWsSettings(WsUiGlobalSettings&) {
    return false;
}
bool StartModelessDlgSheetsMgr(KvSheetsMgrDlgData*, WsUiParts*) {
    return false;
}
bool EndModelessDlgSheetsMgr() {
    return false;
}
ErrorStatus SSregisterOpmCLSIDs() {
    return eInvalidInput;
}
ErrorStatus SSprintCLSIDs() {
    return eInvalidInput;
}
ErrorStatus SScleanupComRegistry() {
    return eInvalidInput;
}
