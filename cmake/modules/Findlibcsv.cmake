# Finds libcsv (it ships neither a CMake package nor a pkg-config file) and
# makes the imported target libcsv::libcsv. Sets libcsv_FOUND.
find_path(libcsv_INCLUDE_DIR csv.h)
find_library(libcsv_LIBRARY csv)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(libcsv REQUIRED_VARS libcsv_LIBRARY libcsv_INCLUDE_DIR)
if(libcsv_FOUND AND NOT TARGET libcsv::libcsv)
  add_library(libcsv::libcsv UNKNOWN IMPORTED)
  set_target_properties(libcsv::libcsv PROPERTIES
    IMPORTED_LOCATION "${libcsv_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${libcsv_INCLUDE_DIR}")
endif()
mark_as_advanced(libcsv_INCLUDE_DIR libcsv_LIBRARY)
