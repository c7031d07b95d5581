# Target helpers shared by every folder. Sources include each other by their path from the
# repository root ("framework/LString.h"), so every target gets the root as include directory.

set(INSTALLER_IS_WINDOWS ${WIN32})
if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(INSTALLER_IS_WIN32 ON)
else()
  set(INSTALLER_IS_WIN32 OFF)
endif()

# Warnings and language settings for code of this project (not for third-party code).
function(installer_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(INSTALLER_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  if(WIN32)
    # Windows XP level API; NONCLIENTMETRICSA and OPENFILENAMEA keep their older sizes.
    target_compile_definitions(${target} PUBLIC WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0501 NOMINMAX)
  endif()
endfunction()

# Product code: no exceptions, no RTTI.
function(installer_product_flags target)
  installer_warnings(${target})
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
endfunction()

# installer_library(name [WINDOWS] SOURCES ... [DEPS ...])
# A static library of product code. WINDOWS libraries exist only in the Windows builds.
function(installer_library name)
  cmake_parse_arguments(ARG "WINDOWS" "" "SOURCES;DEPS" ${ARGN})
  if(ARG_WINDOWS AND NOT WIN32)
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  installer_product_flags(${name})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
endfunction()

# installer_tool(name SOURCES ... [DEPS ...]): a command-line tool (native, or a Windows console tool).
function(installer_tool name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  installer_product_flags(${name})
  if(ARG_DEPS)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  endif()
  if(WIN32)
    target_link_options(${name} PRIVATE -static)
  endif()
endfunction()
