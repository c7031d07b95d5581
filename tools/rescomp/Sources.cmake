# Sources of the resource compiler, also compiled for the build machine by the Windows builds.
set(INSTALLER_RESCOMP_SOURCES
  ${PROJECT_SOURCE_DIR}/tools/rescomp/Main.cpp
  ${PROJECT_SOURCE_DIR}/tools/rescomp/ResCompiler.cpp
  ${PROJECT_SOURCE_DIR}/tools/codepage/CCodePageIconv.cpp
  ${PROJECT_SOURCE_DIR}/resources/ResourceSourceText.cpp
  ${PROJECT_SOURCE_DIR}/resources/ResourceContainer.cpp
  ${PROJECT_SOURCE_DIR}/layout/ScriptBlanks.cpp)
