# tyx_version_resource(TARGET DESCRIPTION text): gives the program TARGET.exe its version resource,
# with the project's version and the Czech description, written as Windows-1250 bytes in the
# resource compiler's escapes ("\xED" for í). Windows' installer detection reads these texts for
# programs whose manifest requests no execution level: none of them may hold "install", "setup",
# "update" or "patch", nor a Czech word of that kind (the version resource test checks).
set(TYX_COPYRIGHT_YEAR 2026)

function(tyx_version_resource target)
  cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
  set(TYX_VERSION_INTERNAL_NAME ${target})
  set(TYX_VERSION_DESCRIPTION "${ARG_DESCRIPTION}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
