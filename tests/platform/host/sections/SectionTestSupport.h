// Section-table tests: the registry emptied and the settings it reads restored around each test.
#pragma once

#include "platform/host/HostTestSupport.h"
#include "trk/Trk_SectionTableManager.h"
#include "trk/Trk_Settings.h"

#include <gtest/gtest.h>

#include <string>

namespace sectiontest {

inline Trk_String exampleLibrary() {
    return Trk_String(winx::fromUtf8(TRK_SOURCE_DIR "/examples/library/"));
}

// A table file's text from lines of tab-separated cells.
inline std::string tableFileText(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\n";
    return text;
}

class SectionTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_libDir = gSettings.libDir;
        m_language = gSettings.workLanguage;
        gSectionTables.clear();
    }
    void TearDown() override {
        gSettings.libDir = m_libDir;
        gSettings.workLanguage = m_language;
        gSectionTables.clear();
    }

private:
    Trk_String m_libDir;
    Trk_String m_language;
};

} // namespace sectiontest
