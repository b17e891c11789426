#include "MacroTestSupport.h"

#include "platform/host/HostTestSupport.h"
#include "trk/MacroFile.h"

#include "win/utf8.h"
#include "win/winbase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

namespace {

using hosttest::readRaw;
using hosttest::writeRaw;

class MacroFile : public ::testing::Test {
protected:
    MacroFile() {
        macrotest::fillMacro(macro);
        macrotest::fillRecord(record);
    }

    // Parses `text` into the fixture's macro and record.
    ErrorStatus parse(const std::string& text) {
        return parseMacroText(text, macro, record, error);
    }

    std::string errorText() const { return winx::toUtf8(error.view()); }
    std::string currentText() const { return macroFileText(macro, record); }
    Trk_String path(const std::string& name) const {
        return Trk_String(folder.file(name).wstring());
    }

    hosttest::TempFolder folder;
    Trk_DbMacro macro;
    MacroData record;
    Trk_String error;
};

// A minimal valid file with `members` added to the top-level object.
std::string fileWith(const std::string& members) {
    return "{\"format\": \"trk-macro\", \"version\": 1" + (members.empty() ? "" : ", " + members) +
           "}";
}

std::string moduleFile(const std::string& moduleMembers) {
    return fileWith("\"modules\": [{\"name\": \"M\", " + moduleMembers + "}]");
}

TEST_F(MacroFile, ARealisticMacroReadsBackAsItWasWrittenAndWritesTheSameTextAgain) {
    const std::string text = currentText();
    Trk_DbMacro loaded;
    MacroData loadedRecord;
    ASSERT_EQ(parseMacroText(text, loaded, loadedRecord, error), eOk) << errorText();
    EXPECT_EQ(macroFileText(loaded, loadedRecord), text);

    EXPECT_EQ(loaded.name, macro.name);
    ASSERT_EQ(loaded.generalVariables.length(), 2);
    EXPECT_EQ(loaded.generalVariables[1].value, 1.0 / 3.0); // exactly, not rounded
    ASSERT_EQ(loaded.baseSections.length(), 2);
    EXPECT_EQ(loaded.baseSections[1].sectionName, L"IPE-300");
    EXPECT_EQ(loaded.baseSections[1].material, L"S235");
    EXPECT_NE(loaded.baseSections[0].id, macro.baseSections[0].id); // fresh drawing ids

    ASSERT_EQ(loaded.modules.size(), 4u);
    Trk_Module* plate = loaded.findModule(L"Plate2");
    ASSERT_NE(plate, nullptr);
    EXPECT_EQ(plate->groupName, L"EndPlate");
    EXPECT_EQ(plate->constrVars[2].value, -1e-7);
    EXPECT_FALSE(plate->constrVars[1].driving);
    EXPECT_TRUE(plate->constrVars[1].inDialog);
    ASSERT_EQ(plate->cuts[0].offsets.length(), 3);
    EXPECT_EQ(plate->cuts[0].offsets[2].kind, 8);
    EXPECT_EQ(plate->cuts[0].offsets[2].value, -3.25);

    auto* bolts = dynamic_cast<Trk_BoltModule*>(loaded.findModule(L"Bolts1"));
    ASSERT_NE(bolts, nullptr);
    ASSERT_EQ(bolts->patterns.length(), 2);
    EXPECT_EQ(bolts->patterns[0].id, 7);
    EXPECT_TRUE(bolts->patterns[0].hasSecondDirection);
    EXPECT_TRUE(bolts->patterns[0].reverses[1]);
    EXPECT_FALSE(bolts->patterns[1].hasSecondDirection);
    EXPECT_TRUE(bolts->patterns[1].reverses[0]);
    auto* sections = dynamic_cast<Trk_ProfModule*>(loaded.findModule(L"Stiffener"));
    ASSERT_NE(sections, nullptr);
    EXPECT_EQ(sections->groupName, L"");
    EXPECT_EQ(sections->placements[0].sectionName, L"FL-100x10");
    EXPECT_EQ(sections->cuts[0].offsets[1].kind, 1);

    ASSERT_EQ(loadedRecord.tabs.length(), 2);
    const MacroTabData& boltTab = loadedRecord.tabs[0];
    EXPECT_EQ(boltTab.kind, 1);
    EXPECT_EQ(boltTab.dialogFile, L"Dialog Templates\\Dialog Design\\EndPlate.txt");
    EXPECT_EQ(boltTab.patterns[0].nrBolts[1], L"2");
    EXPECT_EQ(boltTab.patterns[1].nrBolts[1], L"");
    EXPECT_TRUE(boltTab.hasBoltData);
    EXPECT_EQ(boltTab.boltData.grade, L"8.8");
    EXPECT_EQ(boltTab.boltData.extraLength, L"10");
    EXPECT_FALSE(loadedRecord.tabs[1].hasBoltData);
    EXPECT_EQ(loadedRecord.tabs[1].profGroups[1].sectionName, L"FL-120x10");
    EXPECT_EQ(loadedRecord.tabs[1].profGroups[1].memberName, L"Right");
}

TEST_F(MacroFile, TheDocumentedExampleIsCanonical) {
    const std::string doc = readRaw(TRK_MACROFILE_DOC);
    const auto start = doc.find("```json\n");
    ASSERT_NE(start, std::string::npos);
    const auto end = doc.find("```", start + 8);
    ASSERT_NE(end, std::string::npos);
    const std::string example = doc.substr(start + 8, end - start - 8);
    ASSERT_EQ(parse(example), eOk) << errorText();
    EXPECT_EQ(currentText(), example);
    EXPECT_EQ(macro.findModule(L"Bolts1")->groupName, L"EndPlate");
}

TEST_F(MacroFile, OptionalMembersTakeTheirDefaultsAndTextsDecodeEscapes) {
    const std::string text =
        "\xEF\xBB\xBF" + fileWith("\"name\": \"A\\u00e4\\ud83d\\ude00\\n\\/\", \"modules\": "
                                  "[{\"name\": \"B\", \"kind\": \"bolts\", \"patterns\": "
                                  "[{\"id\": -3}]}]");
    ASSERT_EQ(parse(text), eOk) << errorText();
    EXPECT_EQ(macro.name.str(), L"A\u00e4\U0001F600\n/");
    EXPECT_EQ(record.name, macro.name); // a file without record gets an empty one
    EXPECT_TRUE(record.tabs.isEmpty());
    EXPECT_TRUE(macro.generalVariables.isEmpty());
    EXPECT_TRUE(macro.baseSections.isEmpty());
    auto* bolts = dynamic_cast<Trk_BoltModule*>(macro.findModule(L"B"));
    ASSERT_NE(bolts, nullptr);
    EXPECT_EQ(bolts->patterns[0].id, -3);
    EXPECT_FALSE(bolts->patterns[0].hasSecondDirection);
    EXPECT_FALSE(bolts->patterns[0].reverses[0]);
    EXPECT_EQ(bolts->groupName, L"");
}

// A malformed text and where its error lies: the first (or last) occurrence of `at` in a
// one-line text, or the end of the text when `at` is empty.
struct Malformed {
    const char* what;
    std::string text;
    std::string at;
    const char* message; // part of the message
    bool last = false;

    std::string location() const {
        const auto offset = at.empty() ? text.size() : last ? text.rfind(at) : text.find(at);
        return "1:" + std::to_string(offset + 1) + ": ";
    }
};

std::vector<Malformed> malformedFiles() {
    const std::string named = fileWith("\"name\": \"X\"");
    return {
        {"empty", "", "", "end of the document"},
        {"truncated", named.substr(0, 45), "", "end of the document"},
        {"not json", "format: trk-macro", "f", "expected a value"},
        {"trailing text", fileWith("") + " {}", "{}", "after the end"},
        {"trailing comma", fileWith("\"name\": \"X\","), "}", "member name"},
        {"wrong type", fileWith("\"name\": 5"), "5", "\"name\" must be a text"},
        {"wrong type in module", moduleFile("\"kind\": \"plain\", \"cuts\": {}"), "{}",
         "\"cuts\" must be an array"},
        {"unknown member deep", moduleFile("\"kind\": \"plain\", \"colour\": 1"), "\"colour\"",
         "unknown member \"colour\" in a module"},
        {"unknown version", "{\"format\": \"trk-macro\", \"version\": 2}", "2", "unknown version"},
        {"wrong format", "{\"format\": \"trk-sheet\", \"version\": 1}", "\"trk-sheet\"",
         "\"format\": \"trk-macro\""},
        {"format not first", "{\"version\": 1, \"format\": \"trk-macro\"}", "1", "first member"},
        {"duplicate member", fileWith("\"name\": \"X\", \"name\": \"Y\""), "\"name\"",
         "duplicate member \"name\"", true},
        {"duplicate module",
         fileWith("\"modules\": [{\"name\": \"M\", \"kind\": \"plain\"}, "
                  "{\"name\": \"M\", \"kind\": \"plain\"}]"),
         "{\"name\": \"M\"", "duplicate module M", true},
        {"module without name", fileWith("\"modules\": [{\"kind\": \"plain\"}]"), "{\"kind",
         "missing member \"name\""},
        {"unknown module kind", moduleFile("\"kind\": \"welds\""), "\"welds\"", "\"kind\" must be"},
        {"patterns in a plain module", moduleFile("\"kind\": \"plain\", \"patterns\": []"),
         "\"patterns\"", "unknown member \"patterns\""},
        {"offset kind out of range",
         moduleFile("\"kind\": \"plain\", \"cuts\": [{\"name\": \"C\", \"offsets\": "
                    "[{\"kind\": 9, \"value\": 1}]}]"),
         "9", "from 0 to 8"},
        {"offset kind twice",
         moduleFile("\"kind\": \"plain\", \"cuts\": [{\"name\": \"C\", \"offsets\": "
                    "[{\"kind\": 2}, {\"kind\": 2}]}]"),
         "{\"kind\": 2}", "duplicate offset kind", true},
        {"second flag of a one-direction pattern",
         moduleFile("\"kind\": \"bolts\", \"patterns\": [{\"id\": 1, \"reverses\": [true, "
                    "false]}]"),
         "[true", "one flag per direction"},
        {"pattern id twice",
         moduleFile("\"kind\": \"bolts\", \"patterns\": [{\"id\": 1}, {\"id\": 1}]"), "{\"id\": 1}",
         "duplicate pattern id", true},
        {"fractional tab kind",
         fileWith("\"dialog\": {\"tabs\": [{\"name\": \"T\", \"kind\": 1.5}]}"), "1.5",
         "whole number"},
        {"number out of range",
         fileWith("\"generalVariables\": [{\"name\": \"g\", \"value\": 1e999}]"), "1e999",
         "out of range"},
        {"nan is no number", fileWith("\"generalVariables\": [{\"name\": \"g\", \"value\": NaN}]"),
         "NaN", "expected a value"},
        {"invalid utf-8", fileWith("\"name\": \"\xC3\x28\""), "\xC3", "invalid UTF-8"},
        {"lone surrogate", fileWith("\"name\": \"\\ud800x\""), "\\ud800", "lone surrogate"},
        {"raw line break in text", fileWith("\"name\": \"a\tb\""), "\t", "control character"},
        {"too deep", std::string(100, '[') + std::string(100, ']'), std::string(36, '['),
         "nesting deeper", true},
    };
}

TEST_F(MacroFile, AMalformedFileLeavesTheModelAsItWasAndSaysWhereItIsWrong) {
    const std::string before = currentText();
    for (const Malformed& bad : malformedFiles()) {
        error = L"";
        EXPECT_EQ(parse(bad.text), eInvalidInput) << bad.what;
        const std::string message = errorText();
        EXPECT_EQ(message.rfind(bad.location(), 0), 0u) << bad.what << ": " << message;
        EXPECT_NE(message.find(bad.message), std::string::npos) << bad.what << ": " << message;
        EXPECT_EQ(currentText(), before) << bad.what;
    }
}

TEST_F(MacroFile, ErrorsOnLaterLinesCountLinesAndCharacters) {
    const std::string before = currentText();
    EXPECT_EQ(parse("{\"format\": \"trk-macro\",\n \"version\": 1,\n \"name\": \"\xC3\xA4\", "
                    "\"nmae\": \"X\"}"),
              eInvalidInput);
    EXPECT_EQ(errorText(), "3:15: unknown member \"nmae\" in the macro file");
    EXPECT_EQ(parse("\xEF\xBB\xBF{\"format\": \"trk-macro\", \"version\": 1,\r\n\"x\": 1}"),
              eInvalidInput);
    EXPECT_EQ(errorText(), "2:1: unknown member \"x\" in the macro file");
    EXPECT_EQ(currentText(), before);
}

TEST_F(MacroFile, AFileOnDiskReadsBackAndAMissingFileLeavesTheModelAlone) {
    const Trk_String file = path("EndPlate.json");
    ASSERT_EQ(writeMacroFile(file, macro, record), eOk);
    EXPECT_EQ(readRaw(folder.file("EndPlate.json")), currentText());
    Trk_DbMacro loaded;
    MacroData loadedRecord;
    ASSERT_EQ(readMacroFile(file, loaded, loadedRecord, error), eOk) << errorText();
    EXPECT_EQ(macroFileText(loaded, loadedRecord), currentText());

    const std::string before = currentText();
    EXPECT_EQ(readMacroFile(path("Missing.json"), macro, record, error), eInvalidInput);
    EXPECT_NE(errorText().find("Missing.json"), std::string::npos) << errorText();
    EXPECT_EQ(currentText(), before);
}

TEST_F(MacroFile, AMacroTheReaderWouldRefuseIsNotWrittenAndTheOldFileStays) {
    const Trk_String file = path("EndPlate.json");
    writeRaw(folder.file("EndPlate.json"), "old contents");
    using Damage = std::function<void(Trk_DbMacro&, MacroData&)>;
    const std::vector<std::pair<const char*, Damage>> damages = {
        {"cut offset kind 9",
         [](Trk_DbMacro& m, MacroData&) { m.findModule(L"Plate1")->cuts[0].offsets[0].kind = 9; }},
        {"two offsets of one kind",
         [](Trk_DbMacro& m, MacroData&) { m.findModule(L"Plate1")->cuts[0].offsets[1].kind = 0; }},
        {"two modules of one name",
         [](Trk_DbMacro& m, MacroData&) { m.findModule(L"Plate2")->name = L"Plate1"; }},
        {"module without name", [](Trk_DbMacro& m, MacroData&) { m.modules[0]->name.clear(); }},
        {"two general variables of one name",
         [](Trk_DbMacro& m, MacroData&) { m.generalVariables.append(m.generalVariables[0]); }},
        {"two patterns of one id",
         [](Trk_DbMacro& m, MacroData&) {
             dynamic_cast<Trk_BoltModule&>(*m.findModule(L"Bolts1")).patterns[1].id = 7;
         }},
        {"tab kind 4", [](Trk_DbMacro&, MacroData& d) { d.tabs[0].kind = 4; }},
        {"two tabs of one name",
         [](Trk_DbMacro&, MacroData& d) { d.tabs[1].name = d.tabs[0].name; }},
    };
    for (const auto& [what, damage] : damages) {
        Trk_DbMacro damaged = macro;
        MacroData damagedRecord = record;
        damage(damaged, damagedRecord);
        EXPECT_EQ(writeMacroFile(file, damaged, damagedRecord), eInvalidInput) << what;
        EXPECT_EQ(readRaw(folder.file("EndPlate.json")), "old contents") << what;
    }
    EXPECT_EQ(writeMacroFile(file, macro, record), eOk);
}

TEST_F(MacroFile, AFailedWriteLeavesTheOldFileAsItWas) {
    const Trk_String file = path("EndPlate.json");
    writeRaw(folder.file("EndPlate.json"), "old contents");
    auto unchanged = [&] { return readRaw(folder.file("EndPlate.json")) == "old contents"; };

    winx::failNextFileWrites(1);
    EXPECT_EQ(writeMacroFile(file, macro, record), eInvalidInput);
    EXPECT_TRUE(unchanged());

    macro.findModule(L"Plate1")->constrVars[0].value = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(writeMacroFile(file, macro, record), eInvalidInput);
    EXPECT_TRUE(unchanged());
    macro.findModule(L"Plate1")->constrVars[0].value = 20;

    std::filesystem::create_directory(folder.file("Taken.json"));
    writeRaw(folder.file("Taken.json") / "inside.txt", "x");
    EXPECT_EQ(writeMacroFile(path("Taken.json"), macro, record), eInvalidInput);
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("Taken.json")));
    EXPECT_EQ(writeMacroFile(path("NoSuchFolder/EndPlate.json"), macro, record), eInvalidInput);

    // A read-only folder refuses the temporary file (unless the tests run with rights that
    // ignore permissions, which the probe detects).
    namespace fs = std::filesystem;
    fs::permissions(folder.path(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const bool folderIsReadOnly = !std::ofstream(folder.file("probe"));
    if (folderIsReadOnly) {
        EXPECT_EQ(writeMacroFile(file, macro, record), eInvalidInput);
        EXPECT_TRUE(unchanged());
    }
    fs::permissions(folder.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(writeMacroFile(file, macro, record), eOk);
    EXPECT_EQ(readRaw(folder.file("EndPlate.json")), currentText());
}

} // namespace
