# Test registration. Native tests run directly; Windows tests run under 64-bit Wine through
# scripts/wine-run in one private prefix per build tree, which the "wine" fixture prepares
# (prefix, display, persistent wineserver) and tears down again.
enable_testing()

set(INSTALLER_GTEST_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(EXISTS ${INSTALLER_GTEST_DIR}/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${INSTALLER_GTEST_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(INSTALLER_HAVE_GTEST ON)
else()
  message(WARNING "GoogleTest sources not found in ${INSTALLER_GTEST_DIR}; tests are not built")
  set(INSTALLER_HAVE_GTEST OFF)
endif()

set(INSTALLER_RUN_WINE OFF)
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(INSTALLER_WINE wine)
  if(INSTALLER_WINE)
    set(INSTALLER_RUN_WINE ON)
  endif()
endif()

set(INSTALLER_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(INSTALLER_ARTIFACTS ${CMAKE_BINARY_DIR}/artifacts)
set(INSTALLER_WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run --prefix ${INSTALLER_WINE_PREFIX})

if(INSTALLER_RUN_WINE)
  add_test(NAME wine_start COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix start ${INSTALLER_WINE_PREFIX})
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  add_test(NAME wine_stop COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix stop ${INSTALLER_WINE_PREFIX})
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
endif()

# A 2 MiB drive R: in that prefix for tests that fill a disk (scripts/small-drive; needs root).
# It is mapped before the prefix's processes start, as the shell lists only the drives it
# finds then.
set(INSTALLER_SMALL_DRIVE_STATUS ${INSTALLER_WINE_PREFIX}/small-drive-r.status)
if(INSTALLER_RUN_WINE)
  add_test(NAME small_drive_mount COMMAND ${PROJECT_SOURCE_DIR}/scripts/small-drive mount ${INSTALLER_WINE_PREFIX} r 2m)
  set_tests_properties(small_drive_mount PROPERTIES FIXTURES_SETUP small_drive TIMEOUT 60)
  set_tests_properties(wine_start PROPERTIES DEPENDS small_drive_mount)
  add_test(NAME small_drive_unmount COMMAND ${PROJECT_SOURCE_DIR}/scripts/small-drive unmount ${INSTALLER_WINE_PREFIX} r)
  set_tests_properties(small_drive_unmount PROPERTIES FIXTURES_CLEANUP small_drive TIMEOUT 60)
endif()

# A second prefix whose user runs Japanese: LANG=ja_JP.UTF-8 gives the ANSI code page 932, and
# the user locale 0x411 in the prefix's registry makes GetUserDefaultLCID report 1041, so the
# "_J" resources are chosen. JAPANESE tests run there.
set(INSTALLER_WINE_PREFIX_JA ${CMAKE_BINARY_DIR}/wineprefix-ja)
set(INSTALLER_JA_LANG LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
if(INSTALLER_RUN_WINE)
  add_test(NAME wine_ja_start COMMAND bash -c
    "'${PROJECT_SOURCE_DIR}/scripts/wine-prefix' start '${INSTALLER_WINE_PREFIX_JA}' && \
     WINEPREFIX='${INSTALLER_WINE_PREFIX_JA}/prefix' WINEDEBUG=-all DISPLAY=$(cat '${INSTALLER_WINE_PREFIX_JA}/.run/display') \
     wine reg add 'HKCU\\Control Panel\\International' /v Locale /d 00000411 /f")
  set_tests_properties(wine_ja_start PROPERTIES FIXTURES_SETUP wine_ja TIMEOUT 300
    ENVIRONMENT "${INSTALLER_JA_LANG}")
  add_test(NAME wine_ja_stop COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-prefix stop ${INSTALLER_WINE_PREFIX_JA})
  set_tests_properties(wine_ja_stop PROPERTIES FIXTURES_CLEANUP wine_ja TIMEOUT 60)
endif()

# A test program whose tests passed with some skipped exits with this status (tests/support/
# TestMain.cpp), and so does a shell test that lacks its tool: CTest then reports a skip.
set(INSTALLER_SKIPPED_EXIT 77)

# installer_test(name SOURCES ... [DEPS ...] [WINDOWS | ALSO_WINDOWS] [GUI] [JAPANESE] [TIMEOUT s] [ARGS ...])
# Portable tests (no WINDOWS flag) build and run natively; ALSO_WINDOWS runs them under Wine too.
# WINDOWS tests build in both Windows builds and run under Wine in the 64-bit one; GUI tests
# hold the shared display one at a time. JAPANESE tests run in the Japanese-user prefix.
function(installer_test name)
  cmake_parse_arguments(ARG "WINDOWS;ALSO_WINDOWS;GUI;JAPANESE" "TIMEOUT" "SOURCES;DEPS;ARGS" ${ARGN})
  if(NOT INSTALLER_HAVE_GTEST)
    return()
  endif()
  if(ARG_WINDOWS AND NOT WIN32)
    return()
  endif()
  if(NOT ARG_WINDOWS AND NOT ARG_ALSO_WINDOWS AND WIN32)
    return()
  endif()
  if(INSTALLER_IS_WIN32)
    return() # the 32-bit build cannot run here; its tests are the checks of the shipped files
  endif()
  add_executable(${name} ${ARG_SOURCES})
  installer_warnings(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} testmain)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  if(WIN32)
    target_link_options(${name} PRIVATE -static)
    if(NOT INSTALLER_RUN_WINE)
      return()
    endif()
    set(mode)
    if(ARG_GUI)
      set(mode --gui)
    endif()
    if(ARG_JAPANESE)
      add_test(NAME ${name}
               COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run --prefix ${INSTALLER_WINE_PREFIX_JA} ${mode}
                       --artifacts ${INSTALLER_ARTIFACTS}/${name} $<TARGET_FILE:${name}> ${ARG_ARGS})
      set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_ja TIMEOUT ${ARG_TIMEOUT}
                           ENVIRONMENT "${INSTALLER_JA_LANG}")
    else()
      add_test(NAME ${name}
               COMMAND ${INSTALLER_WINE_RUN} ${mode} --artifacts ${INSTALLER_ARTIFACTS}/${name}
                       $<TARGET_FILE:${name}> ${ARG_ARGS})
      set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${ARG_TIMEOUT})
    endif()
    # GUI tests start the installer, which reads the program-files value that the integration
    # tests change for a moment: they never run beside each other.
    if(ARG_GUI)
      set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "display;program_files")
    endif()
  else()
    add_test(NAME ${name} COMMAND ${name} ${ARG_ARGS})
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE ${INSTALLER_SKIPPED_EXIT})
endfunction()

# installer_wine_command(name COMMAND ... [GUI] [TIMEOUT s]): a test that runs a shell command
# (for example a script that packs and installs) with the Wine prefix of this build available.
function(installer_wine_command name)
  cmake_parse_arguments(ARG "GUI" "TIMEOUT" "COMMAND" ${ARGN})
  if(NOT INSTALLER_RUN_WINE)
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  add_test(NAME ${name} COMMAND ${ARG_COMMAND})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT ${ARG_TIMEOUT}
    SKIP_RETURN_CODE ${INSTALLER_SKIPPED_EXIT}
    ENVIRONMENT "INSTALLER_WINE_PREFIX=${INSTALLER_WINE_PREFIX};INSTALLER_ARTIFACTS=${INSTALLER_ARTIFACTS}/${name}")
  if(ARG_GUI)
    set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "display;program_files")
  endif()
endfunction()

# installer_fuzz_target(name SOURCES ... [LIBS ...] [RUNS n] [CORPUS dir])
# A libFuzzer target, built only with clang. The product sources of LIBS are compiled into it
# again with the sanitizers, so that they carry coverage. A short run over the committed seed
# corpus is registered as a test.
set(INSTALLER_FUZZ OFF)
if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  include(CheckCXXSourceCompiles)
  set(CMAKE_REQUIRED_FLAGS "-fsanitize=fuzzer")
  check_cxx_source_compiles("#include <cstdint>
    #include <cstddef>
    extern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }" INSTALLER_HAVE_LIBFUZZER)
  unset(CMAKE_REQUIRED_FLAGS)
  if(INSTALLER_HAVE_LIBFUZZER)
    set(INSTALLER_FUZZ ON)
  endif()
endif()

function(installer_fuzz_target name)
  cmake_parse_arguments(ARG "" "RUNS;CORPUS" "SOURCES;LIBS" ${ARGN})
  if(NOT INSTALLER_FUZZ)
    return()
  endif()
  set(all ${ARG_SOURCES})
  foreach(lib ${ARG_LIBS})
    get_target_property(srcs ${lib} SOURCES)
    get_target_property(dir ${lib} SOURCE_DIR)
    foreach(src ${srcs})
      if(IS_ABSOLUTE ${src})
        list(APPEND all ${src})
      else()
        list(APPEND all ${dir}/${src})
      endif()
    endforeach()
  endforeach()
  add_executable(${name} ${all})
  installer_warnings(${name})
  set(san -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
  target_compile_options(${name} PRIVATE ${san} -fno-exceptions -fno-rtti -g -O1)
  target_link_options(${name} PRIVATE ${san})
  if(NOT ARG_RUNS)
    set(ARG_RUNS 20000)
  endif()
  # New inputs go to a scratch folder in the build tree; the committed seeds are only read.
  add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/scripts/fuzz-run $<TARGET_FILE:${name}>
           ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus ${ARG_RUNS} ${ARG_CORPUS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300)
endfunction()
