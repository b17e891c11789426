#include "accmd.h"
#include "rxdlinkr.h"
#include "rxobject.h"

#include <cwctype>

namespace {

std::wstring lowerCase(const ACHAR* text) {
    std::wstring out = text ? text : L"";
    for (auto& c : out)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

template <class Service>
Service* service(const ACHAR* key) {
    auto* registry = acrxSysRegistry();
    if (auto* existing = dynamic_cast<Service*>(registry->at(key))) return existing;
    return static_cast<Service*>(registry->atPut(key, std::make_unique<Service>()));
}

} // namespace

AcRxObject* AcRxDictionary::at(const ACHAR* key) const {
    if (!key) return nullptr;
    const auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : it->second.get();
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, std::unique_ptr<AcRxObject> object) {
    if (!key) return nullptr;
    auto& slot = entries_[key];
    slot = std::move(object);
    return slot.get();
}

AcRxDictionary* acrxSysRegistry() {
    static AcRxDictionary registry;
    return &registry;
}

AcRxDynamicLinker* acrxDynamicLinkerService() {
    return service<AcRxDynamicLinker>(ACRX_DYNAMIC_LINKER);
}

AcEdCommandStack* acedRegCmds() {
    return service<AcEdCommandStack>(ACRX_COMMAND_DOCK);
}

bool AcRxDynamicLinker::unlockApplication(void* appId) {
    if (!appId) return false;
    unlocked_.insert(appId);
    return true;
}

bool AcRxDynamicLinker::lockApplication(void* appId) {
    if (!appId) return false;
    unlocked_.erase(appId);
    return true;
}

bool AcRxDynamicLinker::isApplicationLocked(void* appId) const {
    return unlocked_.count(appId) == 0;
}

bool AcRxDynamicLinker::registerAppMDIAware(void* appId) {
    if (!appId) return false;
    mdiAware_.insert(appId);
    return true;
}

bool AcRxDynamicLinker::isAppMDIAware(void* appId) const {
    return mdiAware_.count(appId) != 0;
}

Acad::ErrorStatus AcEdCommandStack::addCommand(const ACHAR* group, const ACHAR* globalName,
                                               const ACHAR* localName, int flags,
                                               AcRxFunctionPtr function) {
    if (!group || !globalName || !*globalName) return Acad::eInvalidInput;
    if (lookupCmd(globalName)) return Acad::eDuplicateKey;
    commands_.push_back({group, globalName, localName ? localName : globalName, flags, function});
    return Acad::eOk;
}

Acad::ErrorStatus AcEdCommandStack::removeGroup(const ACHAR* group) {
    const std::wstring key = lowerCase(group);
    const auto removed = std::erase_if(
        commands_, [&](const Command& c) { return lowerCase(c.group.c_str()) == key; });
    removedGroups_.push_back(group ? group : L"");
    return removed > 0 ? Acad::eOk : Acad::eKeyNotFound;
}

Acad::ErrorStatus AcEdCommandStack::removeCmd(const ACHAR* group, const ACHAR* globalName) {
    const std::wstring g = lowerCase(group), n = lowerCase(globalName);
    const auto removed = std::erase_if(commands_, [&](const Command& c) {
        return lowerCase(c.group.c_str()) == g && lowerCase(c.globalName.c_str()) == n;
    });
    return removed > 0 ? Acad::eOk : Acad::eKeyNotFound;
}

const AcEdCommandStack::Command* AcEdCommandStack::lookupCmd(const ACHAR* globalName) const {
    const std::wstring key = lowerCase(globalName);
    for (const auto& c : commands_)
        if (lowerCase(c.globalName.c_str()) == key) return &c;
    return nullptr;
}
