# Readers of the connection standards: mapping lines and files, and the declarations of sheets.
trk_fuzz(standards_mapping SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/standards/MappingFuzz.cpp"
         LIBS trkss_modules)
trk_fuzz(standards_declarations
         SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/standards/DeclarationsFuzz.cpp" LIBS trkss_modules)
