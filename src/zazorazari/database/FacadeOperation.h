// How every public operation of the facade runs: inside one transaction of
// the open database (committed at the end, also after a failure), and, for
// operations with an error trap, with unexpected failures wrapped in the
// operation's own number and message.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/AtomicScope.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/OperationScope.h"
#include "zazorazari/platform/Error.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari {

// "ZAZorazari.CDatabase." + operation
std::string FacadeSource(const std::string& operation);

// An error the operation raises itself and that its trap lets through as it
// is (rule refusals, undefined types). Leaves the trap as a plain Error, so
// an outer operation's trap wraps it like any other failure.
class PassThroughError : public Error {
 public:
  PassThroughError(int32_t number, const std::string& operation, std::string message)
      : Error(number, FacadeSource(operation), std::move(message)) {}
};

// Refuses a record with a NUL character in a text field before anything is
// written: no column can store it, and the record's rules would silently
// leave the field out (3421, naming the type and the field).
void RefuseNulText(const CDataObject& dobj, const std::string& operation);

// Lets only a zazorazari::Error leave body: a failure of a general library
// (the standard library, the JSON reader) becomes runtime error 5 with its
// text, so that a host catching Error never aborts.
template <class Body>
auto OnlyLibraryErrors(Body&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const Error&) {
    throw;
  } catch (const std::exception& e) {
    throw Error(errInvalidProcedureCall, kRuntimeSource, e.what());
  }
}

// Runs body, then commits the scope; body's result is passed on.
template <class Scope, class Body>
auto CommitAfter(Scope& scope, Body&& body) -> decltype(body()) {
  if constexpr (std::is_void_v<decltype(body())>) {
    OnlyLibraryErrors(body);
    scope.Commit();
  } else {
    auto result = OnlyLibraryErrors(body);
    scope.Commit();
    return result;
  }
}

// Runs body in one transaction of the facade's open database (none when no
// database is open: body then fails its own way).
template <class Body>
auto InTransaction(const CDatabase& db, bool bMayWrite, Body&& body) -> decltype(body()) {
  auto engineDb = db.DatabaseObject();
  if (!engineDb) return OnlyLibraryErrors(body);
  engine::OperationScope scope(*engineDb, bMayWrite);
  return CommitAfter(scope, body);
}

// Runs an import's or a copy's body in one write transaction; with
// enumImportAllOrNothing a failure undoes everything the body wrote, and
// only that when a host transaction is open.
template <class Body>
auto InImportTransaction(const CDatabase& db, enumImportMode lMode, Body&& body) -> decltype(body()) {
  auto engineDb = db.DatabaseObject();
  if (lMode != enumImportAllOrNothing || !engineDb) return InTransaction(db, true, body);
  engine::AtomicScope scope(*engineDb);
  return CommitAfter(scope, body);
}

// Runs body under the operation's error trap: a PassThroughError leaves as
// it is; every other failure becomes Error(number, source, message() +
// error information text of the failure).
template <class Body>
auto WithErrorTrap(const std::string& operation, int32_t number, const std::function<std::string()>& message,
                   Body&& body) -> decltype(body()) {
  try {
    return body();
  } catch (const PassThroughError& e) {
    throw Error(e);
  } catch (const Error& e) {
    throw Error(number, FacadeSource(operation), message() + ErrorInfoText(e));
  } catch (const std::exception& e) {
    Error inner(errInvalidProcedureCall, kRuntimeSource, e.what());
    throw Error(number, FacadeSource(operation), message() + ErrorInfoText(inner));
  }
}

}  // namespace zazorazari
