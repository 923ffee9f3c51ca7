# The public headers: what <zazorazari/zazorazari.h> reaches, and all that a
# host sees. Only these are installed. The build stages them (as links into
# src/) under include/ of the build folder; the target zazorazari_public
# gives a host inside the build (the command-line tool) that folder alone, so
# including an internal header there fails to compile.
set(ZAZ_PUBLIC_HEADERS
  zazorazari.h
  database/CDatabase.h
  database/CatalogMergeReport.h
  database/Enums.h
  database/ReferenceFinding.h
  database/HostChecks.h
  database/PilotList.h
  dataobject/CDataObject.h
  dataobject/CDataObjectCollection.h
  dataobject/CField.h
  dataobject/KeyedList.h
  dataobject/modTools.h
  engine/Criteria.h
  engine/DBEngine.h
  engine/Database.h
  engine/Field.h
  engine/FieldDef.h
  engine/Recordset.h
  geodesy/modDistance.h
  platform/Conversions.h
  platform/Dispatch.h
  platform/Error.h
  platform/ErrorNumbers.h
  platform/NullProgress.h
  platform/UserInterface.h
  platform/Variant.h
  rules/CAttribute.h
  rules/CRule.h)

set(ZAZ_PUBLIC_INCLUDE_DIR ${PROJECT_BINARY_DIR}/include)
file(REMOVE_RECURSE ${ZAZ_PUBLIC_INCLUDE_DIR})
foreach(header IN LISTS ZAZ_PUBLIC_HEADERS)
  set(staged ${ZAZ_PUBLIC_INCLUDE_DIR}/zazorazari/${header})
  get_filename_component(folder ${staged} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/zazorazari/${header} ${staged} SYMBOLIC)
endforeach()

add_library(zazorazari_public INTERFACE)
target_include_directories(zazorazari_public INTERFACE ${ZAZ_PUBLIC_INCLUDE_DIR})
target_compile_features(zazorazari_public INTERFACE cxx_std_20)
target_link_libraries(zazorazari_public INTERFACE $<LINK_ONLY:zazorazari>)
