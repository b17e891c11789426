# Fuzz targets of the window system: the resource-script parser.
trk_fuzz(resource_script SOURCES win/ResourceScriptFuzz.cpp LIBS trkwin)
