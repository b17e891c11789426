# Readers of the framework stand-in: the interface text table, property lists and line files.
foreach(reader dialstrings propertieslist linefile)
  trk_fuzz(host_${reader} SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/host/${reader}Fuzz.cpp" LIBS trkcore)
endforeach()
