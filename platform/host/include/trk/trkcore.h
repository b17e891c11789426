// The core application's framework in one include, as module code expects it.
#pragma once

#include "trk/DialString.h"
#include "trk/EditConstrData.h"
#include "trk/ErrorStatus.h"
#include "trk/MacroData.h"
#include "trk/MacroFile.h"
#include "trk/ObjectExport.h"
#include "trk/PathFunctions.h"
#include "trk/StringFunctions.h"
#include "trk/Trk_Array.h"
#include "trk/Trk_Macro.h"
#include "trk/Trk_Module.h"
#include "trk/Trk_PropertiesList.h"
#include "trk/Trk_SectionTableManager.h"
#include "trk/Trk_Settings.h"
#include "trk/Trk_String.h"
#include "trk/Trk_StringArray.h"
#include "trk/Trk_Timer.h"

// Dialog support follows once the class library and the registry exist.
#if __has_include("trk/KvTempResourceOverride.h")
#include "trk/KvTempResourceOverride.h"
#endif
#if __has_include("trk/DlgSize.h")
#include "trk/DlgSize.h"
#endif
