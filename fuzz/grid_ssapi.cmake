# The grid control's flat interface: arbitrary sequences of SS calls and user actions on a grid.
trk_fuzz(grid_ssapi SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/grid/SsApiFuzz.cpp" LIBS trkgrid trkwin)
