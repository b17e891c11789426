// Reads a macro file (see platform/host/MACROFILE.md) into a fresh macro and record, which
// replace the caller's only when the whole file was read.
#include "Json.h"
#include "MacroFileFormat.h"

#include "HostFiles.h"
#include "trk/MacroFile.h"
#include "win/utf8.h"

#include <cmath>
#include <limits>
#include <set>

using trkx::json::Type;
using trkx::json::Value;

namespace {

struct ReadError {
    std::size_t offset;
    std::string message;
};

[[noreturn]] void fail(const Value& at, const std::string& message) {
    throw ReadError{at.offset, message};
}

std::string inQuotes(std::string_view name) {
    std::string quoted(1, '"');
    quoted.append(name).push_back('"');
    return quoted;
}

Trk_String wide(const std::string& text) {
    return Trk_String(winx::fromUtf8(text));
}

// The members of one object, taken one by one; members left over are unknown ones.
class ObjectReader {
public:
    ObjectReader(const Value& object, std::string what) : object_(object), what_(std::move(what)) {
        if (object.type != Type::Object) fail(object, "expected an object for " + what_);
        used_.assign(object.members.size(), false);
    }

    const Value& self() const { return object_; }

    const Value* find(std::string_view name) {
        for (std::size_t i = 0; i < object_.members.size(); ++i) {
            if (object_.members[i].name != name) continue;
            used_[i] = true;
            return &object_.members[i].value;
        }
        return nullptr;
    }

    const Value& required(std::string_view name) {
        const Value* value = find(name);
        if (!value) fail(object_, "missing member " + inQuotes(name) + " in " + what_);
        return *value;
    }

    const Value* typed(std::string_view name, Type type, const char* typeName) {
        const Value* value = find(name);
        if (value && value->type != type) fail(*value, inQuotes(name) + " must be " + typeName);
        return value;
    }

    Trk_String text(std::string_view name) {
        const Value* value = typed(name, Type::String, "a text");
        return value ? wide(value->text) : Trk_String();
    }

    Trk_String requiredText(std::string_view name) {
        required(name);
        return text(name);
    }

    double number(std::string_view name) {
        const Value* value = typed(name, Type::Number, "a number");
        return value ? value->number : 0.0;
    }

    bool flag(std::string_view name) {
        const Value* value = typed(name, Type::Bool, "true or false");
        return value && value->boolean;
    }

    int integer(std::string_view name, int low, int high, int fallback) {
        const Value* value = typed(name, Type::Number, "a whole number");
        if (!value) return fallback;
        if (value->number != std::floor(value->number) || value->number < low ||
            value->number > high)
            fail(*value, inQuotes(name) + " must be a whole number from " + std::to_string(low) +
                             " to " + std::to_string(high));
        return static_cast<int>(value->number);
    }

    int requiredInteger(std::string_view name, int low, int high) {
        required(name);
        return integer(name, low, high, 0);
    }

    // The items of an array member; an absent member gives none.
    const std::vector<Value>& items(std::string_view name) {
        static const std::vector<Value> kNone;
        const Value* value = typed(name, Type::Array, "an array");
        return value ? value->items : kNone;
    }

    void finish() const {
        for (std::size_t i = 0; i < object_.members.size(); ++i) {
            const auto& member = object_.members[i];
            if (!used_[i])
                throw ReadError{member.offset,
                                "unknown member " + inQuotes(member.name) + " in " + what_};
        }
    }

private:
    const Value& object_;
    std::string what_;
    std::vector<bool> used_;
};

// Fails at `at` when `name` was seen before.
void checkUnique(std::set<Trk_String>& seen, const Trk_String& name, const Value& at,
                 const std::string& what) {
    if (!seen.insert(name).second) fail(at, "duplicate " + what + " " + winx::toUtf8(name.view()));
}

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

void readHeader(const Value& root) {
    const auto& members = root.members;
    if (members.empty() || members[0].name != "format" || members[0].value.type != Type::String ||
        members[0].value.text != trkx::macrofile::kFormat)
        fail(members.empty() ? root : members[0].value,
             "the first member must be \"format\": \"trk-macro\"");
    if (members.size() < 2 || members[1].name != "version")
        fail(members.size() < 2 ? root : members[1].value, "the second member must be \"version\"");
    const Value& version = members[1].value;
    if (version.type != Type::Number || version.number != trkx::macrofile::kVersion)
        fail(version, "unknown version (this program reads version 1)");
}

Trk_GeneralVariable readGeneralVariable(const Value& value) {
    ObjectReader object(value, "a general variable");
    Trk_GeneralVariable variable;
    variable.name = object.requiredText("name");
    variable.value = object.number("value");
    object.finish();
    return variable;
}

void readBaseSection(const Value& value, Trk_DbMacro& macro) {
    ObjectReader object(value, "a base section");
    const Trk_String section = object.text("section");
    const Trk_String material = object.text("material");
    object.finish();
    macro.addBaseSection(section, material);
}

Trk_ConstrVar readConstrVar(const Value& value) {
    ObjectReader object(value, "a constraint variable");
    Trk_ConstrVar var;
    var.name = object.requiredText("name");
    var.value = object.number("value");
    var.inDialog = object.flag("inDialog");
    var.driving = object.flag("driving");
    object.finish();
    return var;
}

Trk_Cut readCut(const Value& value) {
    ObjectReader object(value, "a cut");
    Trk_Cut cut;
    cut.name = object.requiredText("name");
    std::set<int> kinds;
    for (const Value& item : object.items("offsets")) {
        ObjectReader offsetObject(item, "a cut offset");
        Trk_CutOffset offset;
        offset.kind = offsetObject.requiredInteger("kind", 0, 8);
        offset.value = offsetObject.number("value");
        offsetObject.finish();
        if (!kinds.insert(offset.kind).second) fail(item, "duplicate offset kind in a cut");
        cut.offsets.append(offset);
    }
    object.finish();
    return cut;
}

Trk_BoltPattern readBoltPattern(const Value& value) {
    ObjectReader object(value, "a bolt pattern");
    Trk_BoltPattern pattern;
    pattern.id = object.requiredInteger("id", kIntMin, kIntMax);
    pattern.name = object.text("name");
    pattern.hasSecondDirection = object.flag("twoDirections");
    if (const Value* reverses = object.typed("reverses", Type::Array, "an array")) {
        const std::size_t directions = pattern.hasSecondDirection ? 2 : 1;
        if (reverses->items.size() != directions)
            fail(*reverses, "\"reverses\" must hold one flag per direction");
        for (std::size_t i = 0; i < directions; ++i) {
            if (reverses->items[i].type != Type::Bool)
                fail(reverses->items[i], "\"reverses\" must hold true or false");
            pattern.reverses[i] = reverses->items[i].boolean;
        }
    }
    object.finish();
    return pattern;
}

Trk_SectionPlacement readPlacement(const Value& value) {
    ObjectReader object(value, "a section placement");
    Trk_SectionPlacement placement;
    placement.name = object.text("name");
    placement.sectionName = object.text("section");
    placement.material = object.text("material");
    object.finish();
    return placement;
}

std::unique_ptr<Trk_Module> makeModule(const Value& kind) {
    if (kind.type == Type::String && kind.text == "plain") return std::make_unique<Trk_Module>();
    if (kind.type == Type::String && kind.text == "bolts")
        return std::make_unique<Trk_BoltModule>();
    if (kind.type == Type::String && kind.text == "sections")
        return std::make_unique<Trk_ProfModule>();
    fail(kind, "\"kind\" must be \"plain\", \"bolts\" or \"sections\"");
}

void readKindParts(ObjectReader& object, Trk_Module& module) {
    if (auto* bolts = dynamic_cast<Trk_BoltModule*>(&module)) {
        std::set<int> ids;
        for (const Value& item : object.items("patterns")) {
            bolts->patterns.append(readBoltPattern(item));
            if (!ids.insert(bolts->patterns.last().id).second)
                fail(item, "duplicate pattern id in a module");
        }
    }
    if (auto* sections = dynamic_cast<Trk_ProfModule*>(&module)) {
        for (const Value& item : object.items("placements"))
            sections->placements.append(readPlacement(item));
    }
}

std::unique_ptr<Trk_Module> readModule(const Value& value) {
    ObjectReader object(value, "a module");
    const Value& nameValue = object.required("name");
    std::unique_ptr<Trk_Module> module = makeModule(object.required("kind"));
    module->name = object.text("name");
    if (module->name.isEmpty()) fail(nameValue, "a module needs a name");
    module->groupName = object.text("group");
    for (const Value& item : object.items("constraintVariables"))
        module->constrVars.append(readConstrVar(item));
    for (const Value& item : object.items("cuts"))
        module->cuts.append(readCut(item));
    readKindParts(object, *module);
    object.finish();
    return module;
}

MacroPatternProps readPatternProps(const Value& value) {
    ObjectReader object(value, "a tab's bolt pattern");
    MacroPatternProps pattern;
    pattern.name = object.text("name");
    pattern.nrBolts[0] = object.text("nrBolts1");
    pattern.nrBolts[1] = object.text("nrBolts2");
    object.finish();
    return pattern;
}

MacroBoltData readBoltData(const Value& value) {
    ObjectReader object(value, "bolt data");
    MacroBoltData data;
    data.assembly = object.text("assembly");
    data.diameter = object.text("diameter");
    data.holeOffset = object.text("holeOffset");
    data.grade = object.text("grade");
    data.extraLength = object.text("extraLength");
    object.finish();
    return data;
}

MacroProfData readProfGroup(const Value& value) {
    ObjectReader object(value, "a section group member");
    MacroProfData member;
    member.groupName = object.text("group");
    member.memberName = object.text("member");
    member.sectionName = object.text("section");
    member.material = object.text("material");
    object.finish();
    return member;
}

MacroTabData readTab(const Value& value) {
    ObjectReader object(value, "a tab");
    MacroTabData tab;
    tab.name = object.requiredText("name");
    tab.kind = object.integer("kind", 0, 3, 0);
    tab.dialogFile = object.text("dialogFile");
    for (const Value& item : object.items("patterns"))
        tab.patterns.append(readPatternProps(item));
    if (const Value* boltData = object.find("boltData")) {
        tab.boltData = readBoltData(*boltData);
        tab.hasBoltData = true;
    }
    for (const Value& item : object.items("profGroups"))
        tab.profGroups.append(readProfGroup(item));
    object.finish();
    return tab;
}

void readDialog(const Value& value, MacroData& data) {
    ObjectReader object(value, "the dialog record");
    data.name = object.text("name");
    std::set<Trk_String> names;
    for (const Value& item : object.items("tabs")) {
        data.tabs.append(readTab(item));
        checkUnique(names, data.tabs.last().name, item, "tab");
    }
    object.finish();
}

void readMacro(const Value& root, Trk_DbMacro& macro, MacroData& data) {
    ObjectReader object(root, "the macro file");
    readHeader(root);
    object.find("format");
    object.find("version");
    macro.name = object.text("name");
    std::set<Trk_String> names;
    for (const Value& item : object.items("generalVariables")) {
        macro.generalVariables.append(readGeneralVariable(item));
        checkUnique(names, macro.generalVariables.last().name, item, "general variable");
    }
    for (const Value& item : object.items("baseSections"))
        readBaseSection(item, macro);
    names.clear();
    for (const Value& item : object.items("modules")) {
        Trk_Module* module = macro.addModule(readModule(item));
        checkUnique(names, module->name, item, "module");
    }
    data.name = macro.name;
    if (const Value* dialog = object.find("dialog")) readDialog(*dialog, data);
    object.finish();
}

} // namespace

ErrorStatus parseMacroText(std::string_view text, Trk_DbMacro& macro, MacroData& data,
                           Trk_String& error) {
    Value root;
    trkx::json::Error syntax;
    if (!trkx::json::parse(text, root, syntax)) {
        error = wide(trkx::json::location(text, syntax.offset) + ": " + syntax.message);
        return eInvalidInput;
    }
    Trk_DbMacro loaded;
    MacroData record;
    try {
        readMacro(root, loaded, record);
    } catch (const ReadError& failure) {
        error = wide(trkx::json::location(text, failure.offset) + ": " + failure.message);
        return eInvalidInput;
    }
    loaded.id = macro.id; // the drawing's id of the macro is not part of the file
    macro = std::move(loaded);
    data.name = record.name;
    data.tabs = std::move(record.tabs);
    return eOk;
}

ErrorStatus readMacroFile(const Trk_String& path, Trk_DbMacro& macro, MacroData& data,
                          Trk_String& error) {
    const std::optional<std::string> bytes = trkx::readBytes(path.view());
    if (!bytes) {
        error = L"cannot read " + path;
        return eInvalidInput;
    }
    return parseMacroText(*bytes, macro, data, error);
}
