# Section-table files of the framework stand-in.
trk_fuzz(host_sectiontable SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/host/sectiontableFuzz.cpp"
         LIBS trkcore)
