# Install rules: headers, the library, the CLI, the template and a package
# config, so that a host can find_package(zazorazari) from the prefix.
include(CMakePackageConfigHelpers)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/zazorazari
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
  FILES_MATCHING PATTERN "*.h")
install(TARGETS zazorazari EXPORT zazorazariTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT zazorazariTargets
  NAMESPACE zazorazari::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zazorazari)
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/zazorazariConfig.cmake.in
  ${CMAKE_BINARY_DIR}/zazorazariConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zazorazari)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/zazorazariConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/zazorazariConfig.cmake ${CMAKE_BINARY_DIR}/zazorazariConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/zazorazari)
