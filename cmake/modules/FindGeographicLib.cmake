# GeographicLib's geodesics, for task distances and maps: GeographicLib::GeographicLib.
include(${CMAKE_CURRENT_LIST_DIR}/ZazImportedLibrary.cmake)
zaz_find_imported_library(GeographicLib GeographicLib::GeographicLib GeographicLib/Geodesic.hpp GeographicLib Geographic)
