// Fixed descriptions of the runtime and engine error numbers, and the
// factories that turn a number into an Error.
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

const char* const kRuntimeSource = "ZAZorazari";

namespace {

const char* DescriptionTemplate(int32_t number) {
  switch (number) {
    case errInvalidProcedureCall: return "Invalid procedure call or argument";
    case errOverflow: return "Overflow";
    case errSubscriptOutOfRange: return "Subscript out of range";
    case errTypeMismatch: return "Type mismatch";
    case errFileNotFound: return "File not found";
    case errInputPastEndOfFile: return "Input past end of file";
    case errPathFileAccess: return "Path/File access error";
    case errObjectNotSet: return "Object variable or With block variable not set";
    case errInvalidUseOfNull: return "Invalid use of Null";
    case errMemberNotSupported: return "Object doesn't support this property or method";
    case errKeyAlreadyAssociated: return "This key is already associated with an element of this collection";
    case errEngineUpdateWithoutEdit: return "Update or CancelUpdate without AddNew or Edit.";
    case errEngineNoCurrentRecord: return "No current record.";
    case errEngineDuplicateKey: return "Duplicate key.";
    case errEngineFileNotFound: return "Could not find file '<path>'.";
    case errEngineReadOnly: return "Cannot update. Database or object is read-only.";
    case errEngineOutOfMemoryOrDisk: return "Out of memory or disk space.";
    case errEngineCannotOpen: return "The file '<path>' cannot be opened: it is locked or read-only.";
    case errEngineSyntax: return "Syntax error in query expression '<text>'.";
    case errEngineDatabaseExists: return "Database already exists.";
    case errEngineItemNotFound: return "Item not found in this collection.";
    case errEngineUnrecognizedFormat: return "Unrecognized database format '<path>'.";
    case errEngineConversion: return "Data type conversion error.";
    default: return "";
  }
}

}  // namespace

std::string ErrorDescription(int32_t number, const std::string& detail) {
  std::string text = DescriptionTemplate(number);
  for (const char* placeholder : {"<path>", "<text>"}) {
    const auto at = text.find(placeholder);
    if (at != std::string::npos) text.replace(at, std::char_traits<char>::length(placeholder), detail);
  }
  return text;
}

Error RuntimeError(int32_t number) { return Error(number, kRuntimeSource, ErrorDescription(number)); }

Error EngineError(int32_t number, const std::string& source, const std::string& detail) {
  return Error(number, source, ErrorDescription(number, detail));
}

}  // namespace zazorazari
