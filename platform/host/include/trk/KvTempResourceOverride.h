// KvTempResourceOverride: makes the module the class library's resource source for a while.
//
// The module's instance is saved once at load (SaveDefaultResource). An override switches the
// resource handle to it and remembers the handle it replaced; restoring puts that handle back.
// As an object it switches on construction and restores on destruction, so every way out of a
// scope restores, exceptions included. Overrides nest: each restores what it replaced.
#pragma once

#include "win/wintypes.h"

class KvTempResourceOverride {
public:
    // Switches to the saved module (SetDefaultResource).
    KvTempResourceOverride();
    // Restores (RestoreOriginalResource).
    ~KvTempResourceOverride();
    KvTempResourceOverride(const KvTempResourceOverride&) = delete;
    KvTempResourceOverride& operator=(const KvTempResourceOverride&) = delete;

    // Keeps the module whose resources the overrides switch to; the first non-null call wins.
    static void SaveDefaultResource(HINSTANCE module);
    // The saved module, or null before SaveDefaultResource.
    static HINSTANCE DefaultResource();

    // Switches the resource handle to the saved module, remembering the current one. Nothing
    // happens before SaveDefaultResource or while this override is already switched.
    void SetDefaultResource();
    // Puts the remembered handle back; nothing happens unless this override is switched.
    void RestoreOriginalResource();

private:
    HINSTANCE m_previous = nullptr;
    bool m_switched = false;
};
