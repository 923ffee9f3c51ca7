# libqrencode, for the task's QR code: qrencode::qrencode.
include(${CMAKE_CURRENT_LIST_DIR}/ZazImportedLibrary.cmake)
zaz_find_imported_library(qrencode qrencode::qrencode qrencode.h qrencode)
