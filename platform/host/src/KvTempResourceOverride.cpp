#include "trk/KvTempResourceOverride.h"

#include "afxwin.h"

namespace {

HINSTANCE& savedModule() {
    static HINSTANCE module = nullptr;
    return module;
}

} // namespace

KvTempResourceOverride::KvTempResourceOverride() {
    SetDefaultResource();
}

KvTempResourceOverride::~KvTempResourceOverride() {
    RestoreOriginalResource();
}

void KvTempResourceOverride::SaveDefaultResource(HINSTANCE module) {
    if (!savedModule()) savedModule() = module;
}

HINSTANCE KvTempResourceOverride::DefaultResource() {
    return savedModule();
}

void KvTempResourceOverride::SetDefaultResource() {
    if (m_switched || !savedModule()) return;
    m_previous = AfxGetResourceHandle();
    AfxSetResourceHandle(savedModule());
    m_switched = true;
}

void KvTempResourceOverride::RestoreOriginalResource() {
    if (!m_switched) return;
    AfxSetResourceHandle(m_previous);
    m_switched = false;
}
