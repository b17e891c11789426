# Reader of the grid's sheet files: any bytes either read or are refused with a problem, and
# what reads writes a text that reads back to the same text.
trk_fuzz(grid_file SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/grid/SheetFileFuzz.cpp" LIBS trkgrid)
