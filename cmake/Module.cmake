# libtrkss: the shared module the host loads. Every module folder's static library is linked in
# whole (the launchers are reached only through the exported interface), with hidden visibility so
# that only what carries TRKSS_API is exported.
set(trkss_archives trkss_resources)
foreach(folder IN LISTS TRK_MODULE_FOLDERS)
  list(APPEND trkss_archives trkss_${folder})
endforeach()

add_library(trkss SHARED "${PROJECT_SOURCE_DIR}/frame/entry/ModuleEntry.cpp")
set_target_properties(trkss PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
target_link_libraries(trkss PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${trkss_archives}>")
target_link_libraries(trkss PUBLIC trkwin trkacad trkgrid trkcore)
target_link_options(trkss PRIVATE -Wl,--no-undefined)
trk_common(trkss)
