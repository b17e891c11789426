// The CAD program's command stack: command groups and their commands.
#pragma once

#include "acadstrc.h"
#include "rxobject.h"

#include <string>
#include <vector>

using AcRxFunctionPtr = void (*)();

namespace ACRX_CMD {
constexpr int kModal = 0;
constexpr int kTransparent = 1;
constexpr int kUsePickSet = 2;
constexpr int kRedraw = 4;
} // namespace ACRX_CMD

class AcEdCommandStack : public AcRxObject {
public:
    struct Command {
        std::wstring group;
        std::wstring globalName;
        std::wstring localName;
        int flags = 0;
        AcRxFunctionPtr function = nullptr;
    };

    static AcEdCommandStack* cast(AcRxObject* object) {
        return dynamic_cast<AcEdCommandStack*>(object);
    }
    // eDuplicateKey when the global name exists in any group.
    Acad::ErrorStatus addCommand(const ACHAR* group, const ACHAR* globalName,
                                 const ACHAR* localName, int flags, AcRxFunctionPtr function);
    // Removes a group and its commands; eKeyNotFound when no command carries the group.
    Acad::ErrorStatus removeGroup(const ACHAR* group);
    Acad::ErrorStatus removeCmd(const ACHAR* group, const ACHAR* globalName);
    // The command of that global name, or null. Names compare without regard to case.
    const Command* lookupCmd(const ACHAR* globalName) const;
    const std::vector<Command>& commands() const { return commands_; }
    // Groups removed so far, in order (for tests of unloading).
    const std::vector<std::wstring>& removedGroups() const { return removedGroups_; }

private:
    std::vector<Command> commands_;
    std::vector<std::wstring> removedGroups_;
};

// The command stack of the system registry (created on first use).
AcEdCommandStack* acedRegCmds();
