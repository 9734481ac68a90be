# The native half: portable tests with sanitizers, and the cross build of everything that runs on
# Windows (libjpeg first), which lands in ${CMAKE_BINARY_DIR}/win.
include(ExternalProject)
enable_testing()

find_package(GTest REQUIRED)
add_subdirectory(tests/native)

set(TYX_DEPS_DIR ${CMAKE_BINARY_DIR}/_deps)
set(TYX_JPEG_SRC ${TYX_DEPS_DIR}/libjpeg-turbo-src)
set(TYX_JPEG_PREFIX ${TYX_DEPS_DIR}/libjpeg-i686)
set(TYX_TOOLCHAIN ${CMAKE_SOURCE_DIR}/cmake/toolchain-i686-mingw.cmake)

if(NOT EXISTS ${TYX_JPEG_SRC}/CMakeLists.txt)
  message(STATUS "Fetching Debian's libjpeg-turbo source package")
  execute_process(
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/fetch-libjpeg-source.sh ${TYX_JPEG_SRC}
    RESULT_VARIABLE fetch_result)
  if(NOT fetch_result EQUAL 0)
    message(FATAL_ERROR "Could not fetch the libjpeg-turbo source (run scripts/install-deps.sh first)")
  endif()
endif()

ExternalProject_Add(libjpeg_i686
  SOURCE_DIR ${TYX_JPEG_SRC}
  BINARY_DIR ${TYX_DEPS_DIR}/libjpeg-i686-build
  INSTALL_DIR ${TYX_JPEG_PREFIX}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${TYX_TOOLCHAIN}
    -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
    -DCMAKE_BUILD_TYPE=Release
    -DWITH_SIMD=0 -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_TURBOJPEG=0
    -DWITH_JAVA=0 -DREQUIRE_SIMD=0
  BUILD_BYPRODUCTS ${TYX_JPEG_PREFIX}/lib/libjpeg.a
  UPDATE_COMMAND ""
  CMAKE_GENERATOR Ninja)

ExternalProject_Add(windows_half
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/win
  DEPENDS libjpeg_i686
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${TYX_TOOLCHAIN}
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DTYX_JPEG_PREFIX=${TYX_JPEG_PREFIX}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  CMAKE_GENERATOR Ninja)

set(TYX_WIN_BIN ${CMAKE_BINARY_DIR}/win/bin)
include(tests/wine/WineTests.cmake)

# The demo program directory: the product's files as they lie on a bookkeeper's machine, with
# the setup tool among them.
set(TYX_DEMO_DIR ${CMAKE_BINARY_DIR}/demo)
add_custom_target(demo ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TYX_DEMO_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TYX_WIN_BIN}/Instal.exe ${TYX_DEMO_DIR}/
  DEPENDS windows_half
  COMMENT "Laying out the demo program directory")

# The product's files beside the tool: the icon tool with its settings, the batch files, the
# year's icon, and the four shortcut templates, which the shell's own link object writes under
# Wine.
add_custom_command(TARGET demo POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TYX_WIN_BIN}/Ikon.exe ${TYX_DEMO_DIR}/
  COMMAND ${CMAKE_SOURCE_DIR}/demo/make-demo-files.sh ${TYX_DEMO_DIR}
  COMMAND ${CMAKE_COMMAND} -E env TYX_WINE_STATE=${TYX_WINE_STATE}
          ${CMAKE_SOURCE_DIR}/demo/make-templates.sh ${TYX_WINE_ENV} ${TYX_WIN_BIN}/MakeTemplates.exe
          ${TYX_DEMO_DIR}
  VERBATIM)

# The native side of the FILES benchmark: the portable core without sanitizers.
add_executable(files_bench_native bench/files_bench_native.cpp setup_tool/portable/TextLines.cpp)
target_include_directories(files_bench_native PRIVATE setup_tool/portable)
target_compile_options(files_bench_native PRIVATE ${TYX_WARNINGS})

# The release archive: both programs, the Czech text for the people who put them into the
# product, and their checksums (scripts/package.sh builds it).
set(TYX_DIST_ZIP ${CMAKE_BINARY_DIR}/dist/tyx-tools-${PROJECT_VERSION}.zip)
add_custom_target(dist
  COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/make-archive.py --version ${PROJECT_VERSION}
          --text ${CMAKE_SOURCE_DIR}/release/CTIMNE.TXT --out ${TYX_DIST_ZIP}
          ${TYX_WIN_BIN}/Instal.exe ${TYX_WIN_BIN}/caller.exe
  DEPENDS windows_half
  COMMENT "Packing ${TYX_DIST_ZIP}"
  VERBATIM)
