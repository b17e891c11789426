# Build conventions shared by every folder.

set(TRK_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wnull-dereference -Wdouble-promotion -Wformat=2
    -Wimplicit-fallthrough -Wno-unused-parameter -Wno-missing-field-initializers)

function(trk_common target)
  target_compile_options(${target} PRIVATE ${TRK_WARNINGS})
  target_compile_definitions(${target} PRIVATE TRK_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  if(TRK_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# trk_platform_library(<target> <folder>): a shared library of one platform stand-in.
# Sources are src/*.cpp; public headers live in include/.
function(trk_platform_library target)
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/src/*.cpp")
  add_library(${target} SHARED ${srcs})
  target_include_directories(${target} PUBLIC "${CMAKE_CURRENT_SOURCE_DIR}/include"
                                        PRIVATE "${CMAKE_CURRENT_SOURCE_DIR}/src")
  trk_common(${target})
endfunction()

# trk_module_library(<target> [LIBS ...]): a static library of one module folder, built for
# linking into the shared module with hidden visibility.
function(trk_module_library target)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_library(${target} STATIC ${srcs})
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON
                        CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_compile_definitions(${target} PUBLIC TRKSS_BUILDING)
  target_link_libraries(${target} PUBLIC ${ARG_LIBS})
  trk_common(${target})
endfunction()

# trk_test(<target> [LIBS ...]): one GoogleTest executable of all *.cpp in the folder.
function(trk_test target)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  add_executable(${target} ${srcs})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${target} PRIVATE "${PROJECT_SOURCE_DIR}/tests")
  trk_common(${target})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES TIMEOUT 120)
endfunction()
