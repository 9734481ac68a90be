# The Wine suite, run by ctest from the native build: one Xvfb and one ready prefix per Windows
# version for the whole run (the wine_env fixture), and a fresh copy of the prefix per test.
set(TYX_WINE_ENV ${CMAKE_SOURCE_DIR}/tests/wine/wine-env.sh)
set(TYX_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
set(TYX_WINE_TESTS ${TYX_WIN_BIN}/tyx_wine_tests.exe)
# Every prefix some test below uses; made once, before the first test needs it.
set(TYX_WINE_PREFIXES "win10 64")

set(prepare "${TYX_WINE_ENV} start")
foreach(prefix IN LISTS TYX_WINE_PREFIXES)
  string(APPEND prepare " && ${TYX_WINE_ENV} template ${prefix}")
endforeach()
add_test(NAME wine.prepare COMMAND bash -c "${prepare}")
add_test(NAME wine.finish COMMAND ${TYX_WINE_ENV} stop)
set_tests_properties(wine.prepare PROPERTIES FIXTURES_SETUP wine_env LABELS wine TIMEOUT 600)
set_tests_properties(wine.finish PROPERTIES FIXTURES_CLEANUP wine_env LABELS wine)

# add_wine_test(NAME VERSION BITS [DPI n] FILTER gtest-filter)
function(add_wine_test name version bits)
  cmake_parse_arguments(ARG "" "DPI;FILTER" "" ${ARGN})
  set(options --version ${version} --bits ${bits} --name ${name})
  if(ARG_DPI)
    list(APPEND options --dpi ${ARG_DPI})
  endif()
  add_test(NAME wine.${name}
    COMMAND ${TYX_WINE_ENV} run ${options} -- ${TYX_WINE_TESTS} --gtest_filter=${ARG_FILTER})
  set_tests_properties(wine.${name} PROPERTIES
    FIXTURES_REQUIRED wine_env LABELS wine RUN_SERIAL ON TIMEOUT 600
    ENVIRONMENT "TYX_WINE_STATE=${TYX_WINE_STATE}")
endfunction()

add_wine_test(instal-window win10 64 FILTER "InstalStart.*:Ways/InstalClose.*")
add_wine_test(instal-keys win10 64 FILTER "InProcessForm.*:Keys/*:Texts/InstalFailureBox.*")
add_wine_test(instal-120dpi win10 64 DPI 120 FILTER "InstalStart.EveryControl*:InstalStart.Shows*")

# Both programs must load with nothing of mingw's beside them.
add_test(NAME instal.imports
  COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/check-imports.sh ${TYX_WIN_BIN}/Instal.exe
          COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll ole32.dll USER32.dll)
set_tests_properties(instal.imports PROPERTIES LABELS native)
