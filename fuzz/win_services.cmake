# Fuzz targets of the windowing services: the registry file reader and the image decoders.
trk_fuzz(win_registry_file SOURCES win/RegistryFileFuzz.cpp LIBS trkwin)
trk_fuzz(win_bmp SOURCES win/BmpFuzz.cpp LIBS trkwin)
trk_fuzz(win_ico SOURCES win/IcoFuzz.cpp LIBS trkwin)
