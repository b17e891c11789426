// The module's exported interface: every launcher and service function the core calls, the
// pool of hidden standards dialogs, and the application entry point. Nothing else is visible
// outside the module. Failures are returned (bool or ErrorStatus), never thrown.
#pragma once

#include "frame/KvSSDlgsMgr.h"
#include "frame/TrkSSApi.h"

#include "acarray.h"
#include "dbid.h"
#include "rxentry.h"
#include "trk/ErrorStatus.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"

class MacroData;
class EditConstrData;
class KvDlgStandardsData;
class KvAutoStandardsData;
class DlgEditLibData;
class Trk_ProfValuesTable;
class DlgMacroCutsData;
class MacroProfData;
class KvMACallBackData;
enum KvMACallBackType : int;
class DlgCSP2Data;
class DlgProfCutsData;
class DynArrayData;
class DlgProfFeaturesData;
class KvGridDlgData;
class KvLevelsDlgData;
class KvLookUpDlgData;
class KvSelectImageDlgData;
class KvCladdingDlgData;
class KvBracingDlgData;
class KvDlgCis2Data;
class KvUiBillSettings;
class WsUiGlobalSettings;
class KvSheetsMgrDlgData;
class WsUiParts;

// Application entry point: initialisation and unloading messages of the CAD program.
extern "C" TRKSS_API AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode message, void* appId);
extern "C" TRKSS_API int acrxGetApiVersion();

// ---- Macro dialogs ------------------------------------------------------------------------
// Modal macro dialog; the dialog's copy is copied back whatever button closed it.
TRKSS_API void StartDlgMacro(MacroData& data);
// Opens a modeless macro dialog in a slot (the last empty one, or a new one); slot is -1 on
// failure. Unless keepFocus, the keyboard focus goes back to the CAD program's main window.
TRKSS_API bool StartDlgMacroModeless(bool keepFocus, MacroData& data, int& slot);
// A copy of the record of the modeless dialog in slot; false (record untouched) for an empty
// or unknown slot.
TRKSS_API bool GetDlgMacroData(int slot, MacroData& data);
// Closes the modeless dialog in slot; while its macro is busy the close is retried every 50 ms.
TRKSS_API bool EndDlgMacroModeless(int slot);
TRKSS_API void DestroyAllMacroDlgs();

// ---- Constraints editor -------------------------------------------------------------------
TRKSS_API bool StartDlgEditConstrModal(EditConstrData& data);
// Opens the single modeless constraints editor; when it is open already nothing happens.
TRKSS_API bool StartDlgEditConstraints(EditConstrData& data);
TRKSS_API void EndDlgEditConstraints();

// ---- Spreadsheets -------------------------------------------------------------------------
TRKSS_API bool startGridDialog(const Trk_StringArray& columnTitles, const Trk_StringArray& list,
                               Trk_Array<Trk_StringArray>& rows, bool flag, Trk_String layoutName,
                               Trk_String title);
TRKSS_API bool ReadSSFile(const Trk_String& path, Trk_String& firstCellText,
                          Trk_StringArray& headerTexts, Trk_Array<Trk_StringArray>& rows);
TRKSS_API bool EvaluateSS();
// One standards evaluation; on success the request is updated, on failure left unchanged.
TRKSS_API bool StartDlgStandardsSS(KvDlgStandardsData& request);
TRKSS_API bool StartDlgStandardsSStest();
TRKSS_API bool StartDlgGenVars(KvAutoStandardsData& data);

// ---- Section library ----------------------------------------------------------------------
TRKSS_API bool StartDlgEditLibSections(DlgEditLibData& data, const Trk_String& name);
TRKSS_API bool StartDlgEditLibSimple(const Trk_String& name, Trk_ProfValuesTable& table,
                                     int& value);

// ---- Macro definition dialogs -------------------------------------------------------------
TRKSS_API bool StartDlgSelectMacro(const Trk_String& title, const Trk_StringArray& names,
                                   const int& first, const int& second, Trk_String& chosen,
                                   bool& option, bool flag);
TRKSS_API bool StartDlgSelectMacro(const Trk_String& title, const Trk_StringArray& names,
                                   const AcArray<bool>& flags, const int& first, const int& second,
                                   Trk_String& chosen, bool& option, bool flag);
TRKSS_API bool StartDlgMacroCuts(DlgMacroCutsData& data, bool& changed);
TRKSS_API void StartDlgMacroProfAdv(MacroData& data, const Trk_String& group,
                                    const Trk_String& name, bool flag);
using KvMACallBack = bool (*)(KvMACallBackType, const KvMACallBackData&, MacroProfData&);
TRKSS_API void StartDlgMacroProfAdv(AcArray<AcDbObjectId>* ids, bool& changed,
                                    KvMACallBack callback);
TRKSS_API bool StartDlgDesigner(const Trk_String& dialogFile);
TRKSS_API bool GetImageDlgCtrlNames(const Trk_String& dialogFile, Trk_StringArray& names);
TRKSS_API bool StartArrayDlg(DynArrayData& data, const AcArray<AcDbObjectId>& ids,
                             const Trk_String& text);

// ---- Other input dialogs ------------------------------------------------------------------
TRKSS_API bool StartDlgCSP2(DlgCSP2Data& data);
TRKSS_API void StartDSTVPointsDlg();
TRKSS_API bool StartEditProfCutsDlg(DlgProfCutsData& data);
TRKSS_API bool StartDlgProfFeatures(DlgProfFeaturesData& data);
TRKSS_API bool StartDlgGrid(KvGridDlgData& data);
TRKSS_API bool StartDlgLevels(KvLevelsDlgData& data);
TRKSS_API bool StartDlgLookUp(KvLookUpDlgData& data);
TRKSS_API bool StartDlgSelectImage(KvSelectImageDlgData& data);
TRKSS_API bool StartDlgCladdingSettings(KvCladdingDlgData& data);
TRKSS_API bool StartDlgBracing(KvBracingDlgData& data);
TRKSS_API bool StartDlgCis2Info(KvDlgCis2Data& data);

// ---- Bills and workshop drawings ----------------------------------------------------------
TRKSS_API bool StartDlgBillSettings(KvUiBillSettings& settings, bool flag);
TRKSS_API bool StartDlgWsSettings(WsUiGlobalSettings& settings);
TRKSS_API bool StartModelessDlgSheetsMgr(KvSheetsMgrDlgData* data, WsUiParts* parts);
TRKSS_API bool EndModelessDlgSheetsMgr();

// ---- COM registration ---------------------------------------------------------------------
TRKSS_API ErrorStatus SSregisterOpmCLSIDs();
TRKSS_API ErrorStatus SSprintCLSIDs();
TRKSS_API ErrorStatus SScleanupComRegistry();
