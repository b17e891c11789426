# Readers of the standards functions' data files: look-up tables and standard-size lists.
trk_fuzz(standards_data SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/standards_data/StandardsDataFuzz.cpp"
         LIBS trkss_modules)
