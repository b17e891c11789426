// The CAD program's dynamic linker: what it knows about loaded applications.
#pragma once

#include "rxobject.h"

#include <set>

class AcRxDynamicLinker : public AcRxObject {
public:
    static AcRxDynamicLinker* cast(AcRxObject* object) {
        return dynamic_cast<AcRxDynamicLinker*>(object);
    }
    // An unlocked application may be unloaded by the user. False for a null id.
    bool unlockApplication(void* appId);
    bool lockApplication(void* appId);
    bool isApplicationLocked(void* appId) const;
    // Declares that the application works with several open documents.
    bool registerAppMDIAware(void* appId);
    bool isAppMDIAware(void* appId) const;

private:
    std::set<void*> unlocked_;
    std::set<void*> mdiAware_;
};

// The linker of the system registry (created on first use).
AcRxDynamicLinker* acrxDynamicLinkerService();
