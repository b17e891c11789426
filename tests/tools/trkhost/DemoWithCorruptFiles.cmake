# Runs the host's main job with a corrupt registry file and a corrupt text table: both are
# reported on the command line, the job still succeeds, and the corrupt registry file is kept.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/install/texts")
file(WRITE "${WORK}/registry.txt" "this is not a registry file\n")
file(WRITE "${WORK}/install/texts/en.txt" "1 OK\nnot a number line\n2\tCancel\n")
execute_process(
  COMMAND "${HOST}" --registry "${WORK}/registry.txt" --install "${WORK}/install"
          --drives "${WORK}/drives" demo
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "demo failed (${rc}):\n${out}\n${err}")
endif()
foreach(expected "registry file" "interface texts" "line 2" "lending works")
  string(FIND "${out}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "'${expected}' missing from the output:\n${out}")
  endif()
endforeach()
file(GLOB kept "${WORK}/registry.txt.corrupt*")
if(NOT kept)
  message(FATAL_ERROR "the corrupt registry file was not kept")
endif()
