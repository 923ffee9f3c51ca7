// Runtime and engine error numbers with their fixed descriptions, and the
// factories that build an Error from them.
#pragma once

#include <cstdint>
#include <string>

#include "zazorazari/platform/Error.h"

#pragma GCC visibility push(default)
namespace zazorazari {

// Runtime errors (source "ZAZorazari").
constexpr int32_t errInvalidProcedureCall = 5;
constexpr int32_t errOverflow = 6;
constexpr int32_t errSubscriptOutOfRange = 9;
constexpr int32_t errTypeMismatch = 13;
constexpr int32_t errFileNotFound = 53;
constexpr int32_t errInputPastEndOfFile = 62;
constexpr int32_t errPathFileAccess = 75;
constexpr int32_t errObjectNotSet = 91;
constexpr int32_t errInvalidUseOfNull = 94;
constexpr int32_t errMemberNotSupported = 438;
constexpr int32_t errKeyAlreadyAssociated = 457;

// Engine errors (source "Engine.Database", "Engine.Recordset" or "Engine.Field").
constexpr int32_t errEngineUpdateWithoutEdit = 3020;
constexpr int32_t errEngineNoCurrentRecord = 3021;
constexpr int32_t errEngineDuplicateKey = 3022;
constexpr int32_t errEngineFileNotFound = 3024;
constexpr int32_t errEngineReadOnly = 3027;
constexpr int32_t errEngineOutOfMemoryOrDisk = 3035;
constexpr int32_t errEngineCannotOpen = 3051;
constexpr int32_t errEngineSyntax = 3075;
constexpr int32_t errEngineDatabaseExists = 3204;
constexpr int32_t errEngineItemNotFound = 3265;
constexpr int32_t errEngineUnrecognizedFormat = 3343;
constexpr int32_t errEngineConversion = 3421;

extern const char* const kRuntimeSource;  // "ZAZorazari"

// A runtime error with its fixed description, e.g. RuntimeError(13).
Error RuntimeError(int32_t number);

// An engine error; `detail` fills the <path> or <text> of the descriptions
// that name one (3024, 3051, 3075, 3343) and is ignored by the others.
Error EngineError(int32_t number, const std::string& source, const std::string& detail = {});

// The fixed description of a runtime or engine number ("" when unknown);
// `detail` as for EngineError.
std::string ErrorDescription(int32_t number, const std::string& detail = {});

}  // namespace zazorazari
#pragma GCC visibility pop
