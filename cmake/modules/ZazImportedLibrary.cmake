# The imported target of a library that ships no CMake package of its own:
# its header and library as found on the system. The package's find modules
# (Find<package>.cmake beside this file) are one call each.
include(FindPackageHandleStandardArgs)

macro(zaz_find_imported_library package target header)
  find_path(${package}_INCLUDE_DIR ${header})
  find_library(${package}_LIBRARY NAMES ${ARGN})
  find_package_handle_standard_args(${package} REQUIRED_VARS ${package}_LIBRARY ${package}_INCLUDE_DIR)
  if(${package}_FOUND AND NOT TARGET ${target})
    add_library(${target} UNKNOWN IMPORTED)
    set_target_properties(${target} PROPERTIES
      IMPORTED_LOCATION "${${package}_LIBRARY}"
      INTERFACE_INCLUDE_DIRECTORIES "${${package}_INCLUDE_DIR}")
  endif()
  mark_as_advanced(${package}_INCLUDE_DIR ${package}_LIBRARY)
endmacro()
