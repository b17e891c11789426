# Reader of macro files (JSON): never crashes; what it reads writes back to a text that reads the
# same.
trk_fuzz(host_macrofile SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/host/macrofileFuzz.cpp" LIBS trkcore)
