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

# The shipped 32-bit installer travels at the front of every installer a vendor packs, so its
# code is optimised for size, except the sources given as SPEED (the decoding loop and the
# streams it reads and writes through, the encoder), and optimised again as one program when it
# is linked, which drops what nothing calls and inlines across libraries; the optimisation level
# chosen here stays with every function.
# - No unwind tables, which code without exceptions never reads.
# - The program is single-threaded: local statics need no guard.
# - The stack keeps the four-byte alignment that 32-bit Windows promises instead of sixteen,
#   which code without SSE gains nothing from.
# - No frame pointer, which this target keeps by default even at -Oz: nothing walks the stack
#   of a stripped program without exceptions, and a free register makes the code smaller.
# - Arguments pushed rather than stored into a frame reserved for them: a tenth of the
#   image smaller. This compiler then cannot probe the stack below a large frame, so no frame
#   may be that large: one under a page touches nothing beyond the guard page below the stack's
#   last touched byte. The link, which builds the code anew, refuses any frame of 4000 bytes
#   or more, and the compiler any array whose size is known only when it runs.
# - Constant arrays of equal contents are one (a name two layers each define, a table two
#   sources each include): nothing compares the addresses of constants.
# - No section per function and datum: moot for code optimised at link time, and on this
#   target the compiler then writes zero-filled data out in full.
# installer_size_flags(target [SPEED sources ...])
set(INSTALLER_WIN32_CALL_FLAGS -fmerge-all-constants -mno-accumulate-outgoing-args -mno-stack-arg-probe -Werror=frame-larger-than=4000 -Werror=vla)
function(installer_size_flags target)
  cmake_parse_arguments(ARG "" "" "SPEED" ${ARGN})
  if(INSTALLER_IS_WIN32)
    set_property(TARGET ${target} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
    target_compile_options(${target} PRIVATE -Oz
      -fno-asynchronous-unwind-tables -fno-unwind-tables -fno-threadsafe-statics
      -mpreferred-stack-boundary=2 -fomit-frame-pointer ${INSTALLER_WIN32_CALL_FLAGS})
    if(ARG_SPEED)
      set_source_files_properties(${ARG_SPEED} PROPERTIES COMPILE_OPTIONS -O2)
    endif()
  endif()
endfunction()

# The optimisation at link time builds the code anew, so the flags above that shape the code
# are given to the link as well. This compiler's link-time optimisation fails with an internal
# error when it splits the program into partitions: every 32-bit link builds one partition.
if(INSTALLER_IS_WIN32)
  add_link_options(-flto-partition=one -fno-asynchronous-unwind-tables -fno-unwind-tables
    -mpreferred-stack-boundary=2 -fomit-frame-pointer ${INSTALLER_WIN32_CALL_FLAGS})
endif()

# No link time in the images: the same sources give the same bytes, as a reproducible package
# of the stubs and the Windows packer needs.
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp)
endif()

# installer_library(name [WINDOWS] SOURCES ... [SPEED ...] [DEPS ...])
# A static library of product code. WINDOWS libraries exist only in the Windows builds; the
# SPEED sources belong to the library too and keep the speed optimisation in the shipped
# installer.
function(installer_library name)
  cmake_parse_arguments(ARG "WINDOWS" "" "SOURCES;SPEED;DEPS" ${ARGN})
  if(ARG_WINDOWS AND NOT WIN32)
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES} ${ARG_SPEED})
  installer_product_flags(${name})
  installer_size_flags(${name} SPEED ${ARG_SPEED})
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
  # Its libraries carry code for the optimisation at link time in the 32-bit build; objects of
  # both kinds in one link clash over their shared template code.
  if(INSTALLER_IS_WIN32)
    set_property(TARGET ${name} PROPERTY INTERPROCEDURAL_OPTIMIZATION ON)
  endif()
endfunction()
