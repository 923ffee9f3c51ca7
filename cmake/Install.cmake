# Install rules: the public headers, the library, the CLI, the template, a
# CMake package and a pkg-config file. Everything is placed relative to the
# prefix, so an installed tree still works after it is moved.
include(CMakePackageConfigHelpers)

foreach(header IN LISTS ZAZ_PUBLIC_HEADERS)
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/zazorazari/${header}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/zazorazari/${folder})
endforeach()
install(TARGETS zazorazari EXPORT zazorazariTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(ZAZ_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/zazorazari)
set(ZAZ_TEMPLATE_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/zazorazari)
install(EXPORT zazorazariTargets NAMESPACE zazorazari:: DESTINATION ${ZAZ_PACKAGE_DIR})
# A static library brings its private dependencies to the host's link line;
# a shared one does not.
get_target_property(ZAZ_LIBRARY_TYPE zazorazari TYPE)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/zazorazariConfig.cmake.in
  ${PROJECT_BINARY_DIR}/zazorazariConfig.cmake
  INSTALL_DESTINATION ${ZAZ_PACKAGE_DIR}
  PATH_VARS ZAZ_TEMPLATE_INSTALL_DIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/zazorazariConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/zazorazariConfig.cmake ${PROJECT_BINARY_DIR}/zazorazariConfigVersion.cmake
  ${PROJECT_SOURCE_DIR}/cmake/modules/ZazImportedLibrary.cmake ${PROJECT_SOURCE_DIR}/cmake/modules/Findlibcsv.cmake
  ${PROJECT_SOURCE_DIR}/cmake/modules/FindGeographicLib.cmake ${PROJECT_SOURCE_DIR}/cmake/modules/Findqrencode.cmake
  DESTINATION ${ZAZ_PACKAGE_DIR})

# pkg-config: the prefix is found from the .pc file's own place.
file(RELATIVE_PATH ZAZ_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
if(ZAZ_LIBRARY_TYPE STREQUAL "STATIC_LIBRARY")
  set(ZAZ_PC_PRIVATE_LIBS "-lcsv -lGeographicLib -lqrencode -pthread")
  set(ZAZ_PC_PRIVATE_REQUIRES "sqlite3 pugixml zlib")
endif()
configure_file(${PROJECT_SOURCE_DIR}/cmake/zazorazari.pc.in ${PROJECT_BINARY_DIR}/zazorazari.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/zazorazari.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
