// The CAD program's runtime objects and its system registry of services.
#pragma once

#include "adesk.h"

#include <map>
#include <memory>
#include <string>

class AcRxObject {
public:
    virtual ~AcRxObject() = default;
};

// Named services. The dictionary owns what is stored in it.
class AcRxDictionary : public AcRxObject {
public:
    // The service stored under key, or null.
    AcRxObject* at(const ACHAR* key) const;
    // Stores a service under key, replacing (and deleting) an earlier one; returns it.
    AcRxObject* atPut(const ACHAR* key, std::unique_ptr<AcRxObject> object);
    bool has(const ACHAR* key) const { return at(key) != nullptr; }

private:
    std::map<std::wstring, std::unique_ptr<AcRxObject>> entries_;
};

// The system registry; holds "DynamicLinker" and "ACAD_REGISTERED_COMMANDS".
AcRxDictionary* acrxSysRegistry();

#define ACRX_DYNAMIC_LINKER L"DynamicLinker"
#define ACRX_COMMAND_DOCK L"ACAD_REGISTERED_COMMANDS"
