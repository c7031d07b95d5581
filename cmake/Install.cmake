# What `cmake --install` lays out beside the packer (bin/mkinstaller, from tools/mkinstaller):
#   share/mkinstaller/Installer-x86.exe, Installer-x64.exe  the stubs, found by the packer itself
#   lib/cmake/Mkinstaller/                                  find_package(Mkinstaller)
#   share/doc/mkinstaller/, share/man/                      from docs/
# The stubs are built by the two Windows builds; each build tree installs them from where
# scripts/build puts them, unless the cache says otherwise. They are data to the build machine,
# not programs it runs.
set(INSTALLER_STUB_X86 ${PROJECT_SOURCE_DIR}/build/win32/app/Installer.exe CACHE FILEPATH
  "The 32-bit installer stub that is installed beside the packer")
set(INSTALLER_STUB_X64 ${PROJECT_SOURCE_DIR}/build/win64/app/Installer.exe CACHE FILEPATH
  "The x86_64 installer stub that is installed beside the packer")
install(FILES ${INSTALLER_STUB_X86} DESTINATION share/mkinstaller RENAME Installer-x86.exe COMPONENT packer)
install(FILES ${INSTALLER_STUB_X64} DESTINATION share/mkinstaller RENAME Installer-x64.exe COMPONENT packer)

# The CMake package runs on the build machine whatever the vendor builds for, hence
# ARCH_INDEPENDENT: a 32-bit Windows build may use the packer of a 64-bit Linux machine.
if(NOT WIN32)
  include(CMakePackageConfigHelpers)
  set(version_file ${PROJECT_BINARY_DIR}/MkinstallerConfigVersion.cmake)
  write_basic_package_version_file(${version_file} VERSION ${PROJECT_VERSION}
    COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
  install(FILES ${PROJECT_SOURCE_DIR}/cmake/package/MkinstallerConfig.cmake
                ${PROJECT_SOURCE_DIR}/cmake/package/MkinstallerStage.cmake ${version_file}
          DESTINATION lib/cmake/Mkinstaller COMPONENT packer)
endif()
