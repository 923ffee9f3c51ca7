# libcsv (neither a CMake package nor a pkg-config file): libcsv::libcsv.
include(${CMAKE_CURRENT_LIST_DIR}/ZazImportedLibrary.cmake)
zaz_find_imported_library(libcsv libcsv::libcsv csv.h csv)
