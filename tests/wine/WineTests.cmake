# The Wine suite, run by ctest from the native build: one Xvfb and one ready prefix per Windows
# version for the whole run (the wine_env fixture), and a fresh copy of the prefix per test.
set(TYX_WINE_ENV ${CMAKE_SOURCE_DIR}/tests/wine/wine-env.sh)
set(TYX_WINE_STATE ${CMAKE_BINARY_DIR}/wine)
set(TYX_WINE_TESTS ${TYX_WIN_BIN}/tyx_wine_tests.exe)
# Every prefix some test below uses; made once, before the first test needs it.
set(TYX_WINE_PREFIXES "win10 64" "win81 64" "win7 64" "win7 32" "vista 64" "winxp 32")

set(prepare "${TYX_WINE_ENV} start")
foreach(prefix IN LISTS TYX_WINE_PREFIXES)
  string(APPEND prepare " && ${TYX_WINE_ENV} template ${prefix}")
endforeach()
add_test(NAME wine.prepare COMMAND bash -c "${prepare}")
add_test(NAME wine.finish COMMAND ${TYX_WINE_ENV} stop)
set_tests_properties(wine.prepare PROPERTIES FIXTURES_SETUP wine_env LABELS wine TIMEOUT 600)
set_tests_properties(wine.finish PROPERTIES FIXTURES_CLEANUP wine_env LABELS wine)

# add_wine_test(NAME VERSION BITS [UNPRIVILEGED] [DPI n] [EXPECT "reported effective bits"]
#               FILTER gtest-filter)
function(add_wine_test name version bits)
  cmake_parse_arguments(ARG "UNPRIVILEGED" "DPI;FILTER;EXPECT" "" ${ARGN})
  set(options --version ${version} --bits ${bits} --name ${name})
  if(ARG_UNPRIVILEGED)
    list(APPEND options --unprivileged)
  endif()
  if(ARG_DPI)
    list(APPEND options --dpi ${ARG_DPI})
  endif()
  add_test(NAME wine.${name}
    COMMAND ${TYX_WINE_ENV} run ${options} -- ${TYX_WINE_TESTS} --gtest_filter=${ARG_FILTER})
  set_tests_properties(wine.${name} PROPERTIES
    FIXTURES_REQUIRED wine_env LABELS wine RUN_SERIAL ON TIMEOUT 600
    ENVIRONMENT "TYX_WINE_STATE=${TYX_WINE_STATE};TYX_EXPECT=${ARG_EXPECT}")
endfunction()

add_wine_test(instal-window win10 64 FILTER "InstalStart.*:Ways/InstalClose.*")
add_wine_test(instal-keys win10 64 FILTER "InProcessForm.*:Keys/*:Texts/InstalFailureBox.*")
add_wine_test(instal-120dpi win10 64 DPI 120 FILTER "InstalStart.EveryControl*:InstalStart.Shows*:InstalStart.Pictures*")

# The FILES setting and its question dialog.
add_wine_test(files-setting win10 64
  FILTER "FilesSetting.*:FilesCommand.*:-FilesSetting.ReadOnlyBackup*:FilesCommand.ReadOnlyBackup*")
# Read-only files hold only for a user who is not root.
add_wine_test(files-read-only win10 64 UNPRIVILEGED
  FILTER "FilesSetting.ReadOnly*:FilesSetting.ConfigNtHeld*:FilesCommand.ReadOnly*:FilesCommand.ConfigNtHeld*")
add_wine_test(question-dialog win10 64 FILTER "Answers/CzechDialog.*")

# What the tool learns of each Windows it meets, and the registry rules behind it.
set(system_filter "SystemQueries.*:RegistryValues.*:VersionKey.*:VersionReport.*")
add_wine_test(system-win10-64 win10 64 EXPECT "6.2 10.0 64" FILTER ${system_filter})
add_wine_test(system-win81-64 win81 64 EXPECT "6.2 6.3 64" FILTER ${system_filter})
add_wine_test(system-win7-64 win7 64 EXPECT "6.1 6.1 64" FILTER ${system_filter})
add_wine_test(system-win7-32 win7 32 EXPECT "6.1 6.1 32" FILTER ${system_filter})
add_wine_test(system-vista-64 vista 64 EXPECT "6.0 6.0 64" FILTER ${system_filter})
add_wine_test(system-winxp-32 winxp 32 EXPECT "5.1 5.1 32" FILTER ${system_filter})

# What both programs show in the file's properties, and the error texts of their shared layer.
add_wine_test(version-resources win10 64 FILTER "VersionResources.*:Programs/VersionResources.*:SetupToolManifest.*")
add_wine_test(system-error-text win10 64 FILTER "SystemErrorText.*:Codes/SystemErrorTexts.*")

# Both programs must load with nothing of mingw's beside them.
add_test(NAME instal.imports
  COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/check-imports.sh ${TYX_WIN_BIN}/Instal.exe
          ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll ole32.dll SHELL32.dll USER32.dll)
set_tests_properties(instal.imports PROPERTIES LABELS native)

# The file, shell and shell link routines; the shell link cases and the demo files read the
# templates of the demo program directory.
add_wine_test(file-routines win10 64
  FILTER "*CopyFileChunked*:*HasFileAttr*:*ShellExecuteFile*:*WriteOneLineFile*")
add_wine_test(shell-link win10 64 FILTER "*EditShellLink*")
add_wine_test(demo-files win10 64 FILTER "*DemoFiles*:*DemoTemplate*:*DemoIconTool*")
set_property(TEST wine.shell-link wine.demo-files APPEND PROPERTY ENVIRONMENT "TYX_DEMO_DIR=${CMAKE_BINARY_DIR}/demo")

# The launcher: its own test program, beside caller.exe and the recorder it starts.
set(TYX_CALLER_TESTS ${TYX_WIN_BIN}/caller_wine_tests.exe)
function(add_caller_test name filter)
  add_test(NAME wine.${name}
    COMMAND ${TYX_WINE_ENV} run --version win10 --bits 64 --name ${name} -- ${TYX_CALLER_TESTS} --gtest_filter=${filter})
  set_tests_properties(wine.${name} PROPERTIES
    FIXTURES_REQUIRED wine_env LABELS wine RUN_SERIAL ON TIMEOUT 600
    ENVIRONMENT "TYX_WINE_STATE=${TYX_WINE_STATE}")
endfunction()
add_caller_test(caller-starts "Caller/Starts.*:CallerCase.*-CallerCase.Garbage*:CallerCase.CommandBeyond*")
add_caller_test(caller-failures "Caller/Failures.*:CallerCase.CommandBeyond*")
add_caller_test(caller-huge-files "HugeFile.*:Caller/HugeFailures.*:CallerCase.Garbage*")

# The launcher's normal run needs nothing but the kernel and the C runtime.
add_test(NAME caller.imports
  COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/check-imports.sh ${TYX_WIN_BIN}/caller.exe KERNEL32.dll msvcrt.dll)
set_tests_properties(caller.imports PROPERTIES LABELS native)

# The run's display and ready prefixes belong to this build tree, as every case's prefix does:
# without this, a run from a second build tree would start and stop the first tree's display.
set_tests_properties(wine.prepare wine.finish PROPERTIES ENVIRONMENT "TYX_WINE_STATE=${TYX_WINE_STATE}")

# The "&Ikona" command on each Windows: the template it must choose and the bitness, or the icon
# tool before Vista. The cases lay out a program directory from the demo one.
set(ikona_filter "IkonaShortcut.*")
add_wine_test(ikona-win10-64 win10 64 EXPECT "TyxWin10.sss 64"
  FILTER "${ikona_filter}:IkonaBadInput.*:*IkonaBrokenTemplate.*:IkonaMovedDesktop.*")
add_wine_test(ikona-win81-64 win81 64 EXPECT "TyxWin8.sss 64" FILTER ${ikona_filter})
add_wine_test(ikona-win7-64 win7 64 EXPECT "TyxWin7.s64 64" FILTER ${ikona_filter})
add_wine_test(ikona-win7-32 win7 32 EXPECT "TyxWin7.sss 32" FILTER ${ikona_filter})
add_wine_test(ikona-vista-64 vista 64 EXPECT "TyxWin7.s64 64" FILTER ${ikona_filter})
add_wine_test(ikona-winxp-32 winxp 32 EXPECT "Ikon.exe 32" FILTER "IkonaBeforeVista.*:IkonaIconToolStart.*")
# Wine spells Windows file names in the Unix locale: without a Czech one on the machine, names
# with Czech letters cannot be made at all. glibc takes one generated into the build tree.
set(TYX_LOCALE_DIR ${CMAKE_BINARY_DIR}/locale)
add_custom_command(OUTPUT ${TYX_LOCALE_DIR}/cs_CZ.UTF-8/LC_CTYPE
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TYX_LOCALE_DIR}
  COMMAND localedef -i cs_CZ -f UTF-8 ${TYX_LOCALE_DIR}/cs_CZ.UTF-8
  COMMENT "Generating the Czech locale for the Wine cases")
add_custom_target(tyx_locale ALL DEPENDS ${TYX_LOCALE_DIR}/cs_CZ.UTF-8/LC_CTYPE)
set_property(TEST wine.ikona-win10-64 wine.ikona-win81-64 wine.ikona-win7-64 wine.ikona-win7-32
  wine.ikona-vista-64 wine.ikona-winxp-32 APPEND PROPERTY ENVIRONMENT
  "TYX_DEMO_DIR=${CMAKE_BINARY_DIR}/demo" "LOCPATH=${TYX_LOCALE_DIR}")

# Without any display the tool must still end by itself, with exit code 0.
add_test(NAME wine.instal-no-display
  COMMAND ${TYX_WINE_ENV} shell --name instal-no-display --
          bash -c "unset DISPLAY; timeout 60 wine '${TYX_WIN_BIN}/Instal.exe'")
set_tests_properties(wine.instal-no-display PROPERTIES
  FIXTURES_REQUIRED wine_env LABELS wine RUN_SERIAL ON TIMEOUT 120
  ENVIRONMENT "TYX_WINE_STATE=${TYX_WINE_STATE}")
