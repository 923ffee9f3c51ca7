// The public enumerations of the facade: error numbers, the internal codes
// rules return, file kinds, write modes and export choices.
#pragma once

#include <cstdint>

namespace zazorazari {

// Every public error number is 0x80040200 + n.
constexpr int32_t kErrorBase = -2147220992;

enum EnumError : int32_t {
  enumErrorOK = 0,
  enumErrorFileWrongType = kErrorBase + 1,
  enumErrorFileWrongVersion = kErrorBase + 2,
  enumErrorRecordsetExists = kErrorBase + 3,
  enumErrorUndefinedDataObject = kErrorBase + 4,
  enumErrorOverwriteNotSupported = kErrorBase + 5,
  enumErrorDeleteDataObject = kErrorBase + 6,
  enumErrorPilotSignExists = kErrorBase + 7,
  enumErrorPilotIDExists = kErrorBase + 8,
  enumErrorRename = kErrorBase + 9,
  enumErrorCreate = kErrorBase + 10,
  enumErrorOpen = kErrorBase + 11,
  enumErrorClose = kErrorBase + 12,
  enumErrorAddDataObject = kErrorBase + 13,
  enumErrorGetDataObject = kErrorBase + 14,
  enumErrorUpdateDataObject = kErrorBase + 15,
  enumErrorGetDataObjectCollection = kErrorBase + 16,
  enumErrorUpdateDataObjectCollection = kErrorBase + 17,
  enumErrorFileNoZoltMDB = kErrorBase + 18,
  enumErrorUpdatePilot = kErrorBase + 19,
  enumErrorTurnpointIDExists = kErrorBase + 20,
  enumErrorCompress = kErrorBase + 21,
  enumErrorResultNotFound = kErrorBase + 22,
  enumErrorFunctionNotSupported = kErrorBase + 23,
  enumErrorPilotNotFound = kErrorBase + 24,
  enumErrorDeleteRefToCompetition = kErrorBase + 25,
  enumErrorDeleteRefToPilot = kErrorBase + 26,
  enumErrorImportZolt3WrongFile = kErrorBase + 27,
  enumErrorImportXML = kErrorBase + 28
};

// Codes a rule returns in an error value instead of raising; each equals the
// offset of the EnumError member of the same name.
enum EnumInternalError : int32_t {
  enumInternalErrorOK = 0,
  enumInternalErrorRecordsetExists = 3,
  enumInternalErrorPilotSignExists = 7,
  enumInternalErrorPilotIDExists = 8,
  enumInternalErrorTurnpointIDExists = 20,
  enumInternalErrorResultNotFound = 22,
  enumInternalErrorFunctionNotSupported = 23,
  enumInternalErrorPilotNotFound = 24,
  enumInternalErrorDeleteRefToCompetition = 25,
  enumInternalErrorDeleteRefToPilot = 26
};

enum enumFileType : int32_t { enumFileAll = 0, enumFileCompetition = 1, enumFileCatalog = 2 };

enum EnumUpdate : int32_t { enumUpdateNew = 1, enumUpdateModify = 2 };

enum EnumOverwriteMode : int32_t { enumOverwriteForce = 1, enumOverwriteRaiseError = 2, enumOverwriteReturnPk = 3 };

enum enumDBVersion : int32_t { enumDB4 = 0, enumDB5 = 1, enumDB6 = 2 };

enum enumExportFormat : int32_t { enumExportXML = 1 };

// What a failed import or copy leaves in the file (extension): by default
// what it wrote before the failure; enumImportAllOrNothing undoes all of it.
enum enumImportMode : int32_t { enumImportKeepWritten = 0, enumImportAllOrNothing = 1 };

}  // namespace zazorazari
