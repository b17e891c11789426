# libtrkss: the shared module the host loads. Every module folder's static library is linked in
# whole (the launchers are reached only through the exported interface), with hidden visibility
# so that only what carries TRKSS_API is exported. Tests link trkss_modules to get the same code
# without the library's load hooks.
set(trkss_archives trkss_resources)
foreach(folder IN LISTS TRK_MODULE_FOLDERS)
  list(APPEND trkss_archives trkss_${folder})
endforeach()

add_library(trkss_modules INTERFACE)
target_link_libraries(trkss_modules INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${trkss_archives}>"
                      trkwin trkacad trkgrid trkcore)

add_library(trkss SHARED "${PROJECT_SOURCE_DIR}/frame/entry/LibraryEntry.cpp")
set_target_properties(trkss PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
target_include_directories(trkss PRIVATE "${PROJECT_SOURCE_DIR}")
target_link_libraries(trkss PRIVATE trkss_modules PUBLIC trkwin trkacad trkgrid trkcore)
target_link_options(trkss PRIVATE -Wl,--no-undefined)
trk_common(trkss)
