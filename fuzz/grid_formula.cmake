# Formula texts of the grid engine: parsing, evaluation and the text shown back.
trk_fuzz(grid_formula SOURCES "${CMAKE_CURRENT_SOURCE_DIR}/grid/FormulaFuzz.cpp" LIBS trkgrid)
