trk_fuzz(trkhost_elf SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/tools/ElfSymbolsFuzz.cpp" LIBS trkhost_elf)
