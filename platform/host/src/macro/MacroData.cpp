#include "trk/MacroData.h"

#include <vector>

namespace {

bool matches(const MacroProfData& member, const Trk_String& group, const Trk_String& memberName) {
    return member.groupName == group && (memberName.isEmpty() || member.memberName == memberName);
}

// Keeps the common value of a field over members; a field that differs becomes empty.
void mergeField(Trk_String& merged, const Trk_String& value, bool first) {
    if (first)
        merged = value;
    else if (merged != value)
        merged.clear();
}

void setIfGiven(Trk_String& field, const Trk_String& value) {
    if (!value.isEmpty()) field = value;
}

} // namespace

// Out of line so that the virtual table lives in the framework library.
MacroData::~MacroData() = default;

ErrorStatus MacroData::findTab(const Trk_String& tabName, int& index) const {
    for (int i = 0; i < tabs.length(); ++i) {
        if (tabs[i].name != tabName) continue;
        index = i;
        return eOk;
    }
    return eInvalidInput;
}

MacroTabData* MacroData::getTab(int index) {
    return tabs.isValid(index) ? &tabs[index] : nullptr;
}

const MacroTabData* MacroData::getTab(int index) const {
    return tabs.isValid(index) ? &tabs[index] : nullptr;
}

ErrorStatus MacroData::getMergedPropsOfGroup(const Trk_String& group, const Trk_String& memberName,
                                             MacroProfData& props) const {
    MacroProfData merged;
    bool first = true;
    for (const MacroTabData& tab : tabs) {
        for (const MacroProfData& member : tab.profGroups) {
            if (!matches(member, group, memberName)) continue;
            mergeField(merged.memberName, member.memberName, first);
            mergeField(merged.sectionName, member.sectionName, first);
            mergeField(merged.material, member.material, first);
            first = false;
        }
    }
    if (first) return eInvalidInput;
    merged.groupName = group;
    props = merged;
    return eOk;
}

ErrorStatus MacroData::setMergedPropsOfGroup(const Trk_String& group, const Trk_String& memberName,
                                             const MacroProfData& props) {
    bool found = false;
    for (MacroTabData& tab : tabs) {
        for (MacroProfData& member : tab.profGroups) {
            if (!matches(member, group, memberName)) continue;
            setIfGiven(member.memberName, props.memberName);
            setIfGiven(member.sectionName, props.sectionName);
            setIfGiven(member.material, props.material);
            found = true;
        }
    }
    return found ? eOk : eInvalidInput;
}
