# find_package(Mkinstaller): the packer of this installed tree and mkinstaller_add_installer().
# Everything is found relative to this file (<prefix>/lib/cmake/Mkinstaller), so the tree works
# wherever it was installed or unpacked.
#
# mkinstaller_add_installer(<target> DESCRIPTION <file> OUTPUT <file>
#                           [COMPONENT <c>] [CODEPAGE <n>] [ARCH x86|x64])
# A target of `cmake --build` that installs the project's own install() rules (of COMPONENT
# only, when given) into <target>-stage in the current binary folder and packs that folder with
# the description into OUTPUT, behind the installed stub for ARCH (x86 by default). The
# description's messages reach the build log as mkinstaller prints them. The installer is
# written again only when a staged file, the description, the stub or an option changed.
# The target depends on every executable and library of the project.

get_filename_component(_mkinstaller_prefix "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(CMAKE_HOST_WIN32)
  set(MKINSTALLER_EXECUTABLE "${_mkinstaller_prefix}/bin/mkinstaller.exe")
else()
  set(MKINSTALLER_EXECUTABLE "${_mkinstaller_prefix}/bin/mkinstaller")
endif()
if(NOT EXISTS "${MKINSTALLER_EXECUTABLE}")
  set(Mkinstaller_FOUND FALSE)
  set(Mkinstaller_NOT_FOUND_MESSAGE "the packer ${MKINSTALLER_EXECUTABLE} is missing")
  return()
endif()
set(_MKINSTALLER_STAGE_SCRIPT "${CMAKE_CURRENT_LIST_DIR}/MkinstallerStage.cmake")
set(_MKINSTALLER_STUBS "${_mkinstaller_prefix}/share/mkinstaller")

function(mkinstaller_add_installer target)
  cmake_parse_arguments(ARG "" "DESCRIPTION;OUTPUT;COMPONENT;CODEPAGE;ARCH" "" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "mkinstaller_add_installer: unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT ARG_DESCRIPTION OR NOT ARG_OUTPUT)
    message(FATAL_ERROR "mkinstaller_add_installer: DESCRIPTION and OUTPUT are needed")
  endif()
  if(NOT ARG_ARCH)
    set(ARG_ARCH x86)
  elseif(NOT ARG_ARCH MATCHES "^(x86|x64)$")
    message(FATAL_ERROR "mkinstaller_add_installer: ARCH is x86 or x64, not ${ARG_ARCH}")
  endif()
  if(ARG_CODEPAGE AND NOT ARG_CODEPAGE MATCHES "^[0-9]+$")
    message(FATAL_ERROR "mkinstaller_add_installer: CODEPAGE is a number, not ${ARG_CODEPAGE}")
  endif()
  get_filename_component(description "${ARG_DESCRIPTION}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  get_filename_component(output "${ARG_OUTPUT}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_BINARY_DIR}")
  add_custom_target(${target} ALL
    COMMAND "${CMAKE_COMMAND}" "-DMKINSTALLER=${MKINSTALLER_EXECUTABLE}"
            "-DSTUB=${_MKINSTALLER_STUBS}/Installer-${ARG_ARCH}.exe" "-DARCH=${ARG_ARCH}"
            "-DCODEPAGE=${ARG_CODEPAGE}" "-DCOMPONENT=${ARG_COMPONENT}" "-DCONFIG=$<CONFIG>"
            "-DBINARY_DIR=${CMAKE_BINARY_DIR}" "-DSTAGE=${CMAKE_CURRENT_BINARY_DIR}/${target}-stage"
            "-DDESCRIPTION=${description}" "-DOUTPUT=${output}" -P "${_MKINSTALLER_STAGE_SCRIPT}"
    BYPRODUCTS "${output}"
    COMMENT "Packing the installer ${ARG_OUTPUT}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY MKINSTALLER_INSTALLER_TARGETS ${target})
  # Staging installs what the whole project built, so the dependencies are added when every
  # target is known: at the end of the top folder.
  get_property(deferred GLOBAL PROPERTY MKINSTALLER_DEPENDENCIES_DEFERRED)
  if(NOT deferred)
    set_property(GLOBAL PROPERTY MKINSTALLER_DEPENDENCIES_DEFERRED ON)
    cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL _mkinstaller_depend_on_binaries)
  endif()
endfunction()

function(_mkinstaller_binaries directory out)
  set(found)
  get_property(targets DIRECTORY "${directory}" PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      list(APPEND found ${target})
    endif()
  endforeach()
  get_property(subdirectories DIRECTORY "${directory}" PROPERTY SUBDIRECTORIES)
  foreach(subdirectory IN LISTS subdirectories)
    _mkinstaller_binaries("${subdirectory}" more)
    list(APPEND found ${more})
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(_mkinstaller_depend_on_binaries)
  _mkinstaller_binaries("${CMAKE_SOURCE_DIR}" binaries)
  get_property(installers GLOBAL PROPERTY MKINSTALLER_INSTALLER_TARGETS)
  foreach(installer IN LISTS installers)
    if(binaries)
      add_dependencies(${installer} ${binaries})
    endif()
  endforeach()
endfunction()
