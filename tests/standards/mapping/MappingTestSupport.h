// Helpers of the mapping tests: a temporary library folder (standards folder and a small
// section table), a placed macro with its dialog record, and a request for it.
#pragma once

#include "spread/SpreadTestSupport.h"
#include "standards/KvDlgStandardsData.h"
#include "standards/KvSSMapping.h"
#include "standards/KvVarCells.h"

#include "trk/MacroData.h"
#include "trk/ObjectExport.h"
#include "trk/Trk_Macro.h"
#include "trk/Trk_SectionTableManager.h"
#include "trk/Trk_Settings.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace mappingtest {

// The macro of the tests:
//   group "EndPlate": module Plate1 (constraints T, W, X, Y; cut Cut1 with offsets of kinds 0
//   and 8) and bolt module Bolts1 (patterns P1 with two directions, the first reversed, and
//   P2 with one; constraint Pitch);
//   module Beam1 without group, a section module with placements "Rafter" and an unnamed one;
//   base sections IPE-300 (S235) and HEA-200 (S355); general variables gen_Gap and gen_Edge.
inline void buildMacro(Trk_DbMacro& macro, MacroData& data) {
    auto plate = std::make_unique<Trk_Module>();
    plate->name = L"Plate1";
    plate->groupName = L"EndPlate";
    plate->constrVars = {{L"T", 10.0, true, true},
                         {L"W", 200.0, true, false},
                         {L"X", 1.0, false, true},
                         {L"Y", 2.0, false, false}};
    Trk_Cut cut;
    cut.name = L"Cut1";
    cut.offsets = {{0, 5.0}, {8, 3.0}};
    plate->cuts.append(cut);
    macro.addModule(std::move(plate));

    auto bolts = std::make_unique<Trk_BoltModule>();
    bolts->name = L"Bolts1";
    bolts->groupName = L"EndPlate";
    bolts->constrVars = {{L"Pitch", 70.0, true, true}};
    Trk_BoltPattern first;
    first.id = 1;
    first.name = L"P1";
    first.hasSecondDirection = true;
    first.reverses[0] = true;
    Trk_BoltPattern second;
    second.id = 2;
    second.name = L"P2";
    bolts->patterns = {first, second};
    macro.addModule(std::move(bolts));

    auto beam = std::make_unique<Trk_ProfModule>();
    beam->name = L"Beam1";
    beam->placements = {{L"Rafter", L"IPE-300", L"S355"}, {L"", L"HEA-200", L"S235"}};
    macro.addModule(std::move(beam));

    macro.addBaseSection(L"IPE-300", L"S235");
    macro.addBaseSection(L"HEA-200", L"S355");
    macro.generalVariables = {{L"gen_Gap", 12.5}, {L"gen_Edge", 0.123456789}};

    MacroTabData plateTab;
    plateTab.kind = 1;
    plateTab.name = L"EndPlate";
    MacroPatternProps p1;
    p1.name = L"P1";
    p1.nrBolts[0] = L"3";
    p1.nrBolts[1] = L"2";
    plateTab.patterns.append(p1);
    plateTab.hasBoltData = true;
    plateTab.boltData.diameter = L"20";
    plateTab.boltData.holeOffset = L"2";
    MacroTabData beamTab;
    beamTab.kind = 2;
    beamTab.name = L"Beam1";
    MacroProfData rafter;
    rafter.groupName = L"Rafter";
    rafter.memberName = L"R1";
    rafter.sectionName = L"IPE-300";
    rafter.material = L"S355";
    beamTab.profGroups.append(rafter);
    data.tabs = {plateTab, beamTab};
}

// A temporary library folder as gSettings.libDir for the fixture's lifetime, with the
// "Connection Standards" folder and prof\IPE.pr, prof\HEA.pr.
class LibraryFolder {
public:
    LibraryFolder() : libDirBefore_(gSettings.libDir) {
        std::filesystem::create_directories(root() / "Connection Standards");
        std::filesystem::create_directories(root() / "prof");
        writeBytes(root() / "prof" / "IPE.pr",
                   "1\nSysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\tb\ttw\n"
                   "300\t1\tIPE 300\tIPE 300\tIPE 300\tIPE 300\t300\t150\t7.1\n");
        writeBytes(root() / "prof" / "HEA.pr",
                   "1\nSysName\tI/O\tEnglish\tGerman\tFrench\tDutch\th\tb\n"
                   "200\t1\tHE 200 A\tHE 200 A\tHE 200 A\tHE 200 A\t190\t200\n");
        gSettings.setLibDir(Trk_String(root().wstring()));
    }
    ~LibraryFolder() {
        gSettings.libDir = libDirBefore_;
        gSectionTables.clear();
    }
    LibraryFolder(const LibraryFolder&) = delete;
    LibraryFolder& operator=(const LibraryFolder&) = delete;

    std::filesystem::path root() const { return folder_.file(L""); }
    std::filesystem::path mapFile(const std::wstring& sheet) const {
        return root() / "Connection Standards" / (sheet + L".map");
    }
    static void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string readBytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        const std::streamoff size = std::max<std::streamoff>(in.tellg(), 0);
        std::string bytes(static_cast<std::size_t>(size), '\0');
        in.seekg(0);
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        return bytes;
    }
    void writeLines(const std::wstring& sheet, const Trk_StringArray& lines) const {
        ASSERT_EQ(ObjectExportWriteFile(Trk_String(mapFile(sheet).wstring()), lines), eOk);
    }
    Trk_StringArray readLines(const std::wstring& sheet) const {
        Trk_StringArray lines;
        EXPECT_EQ(ObjectExportReadFile(Trk_String(mapFile(sheet).wstring()), lines), eOk);
        return lines;
    }

private:
    spreadtest::TempFolder folder_;
    Trk_String libDirBefore_;
};

// An object of a mapping, built in one expression.
inline KvObjectMap object(KvMapType type, const wchar_t* owner, const wchar_t* name,
                          const wchar_t* ssVar, int category = 3) {
    KvObjectMap result;
    result.type = type;
    result.owner = owner;
    result.objectName = name;
    result.ssVarName = ssVar;
    result.category = category;
    return result;
}

// The object text of an object.
inline std::wstring textOf(const KvObjectMap& object) {
    Trk_String text;
    Trk_String ssVar;
    EXPECT_EQ(object.setMappingToStrs(text, ssVar), eOk);
    return text.str();
}

class MappingTest : public ::testing::Test {
protected:
    void SetUp() override {
        buildMacro(macro, data);
        request.macro = &macro;
        request.macroData = &data;
        request.spreadsheet = L"EndPlate";
        request.mappingKey = L"Left";
        messagesBefore_ = gSettings.current.showStandardsMessages;
    }
    void TearDown() override { gSettings.current.showStandardsMessages = messagesBefore_; }

    // Reads / writes one value through the object; returns the status.
    ErrorStatus get(KvObjectMap object, Trk_String& value) {
        return object.getMacroVarValue(&macro, &data, value, nullptr);
    }
    ErrorStatus put(KvObjectMap object, const wchar_t* text) {
        Trk_String value = text;
        return object.setMacroVarValue(&macro, &data, value, nullptr);
    }
    Trk_Module* module(const wchar_t* name) { return macro.findModule(name); }
    // Bolts1 is built as a bolt module.
    Trk_BoltModule& bolts() { return *static_cast<Trk_BoltModule*>(module(L"Bolts1")); }

    winx::TestSession session;
    LibraryFolder library;
    Trk_DbMacro macro;
    MacroData data;
    KvDlgStandardsData request;

private:
    bool messagesBefore_ = true;
};

} // namespace mappingtest
