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

// Runs body in one transaction of the facade's open database (none when no
// database is open: body then fails its own way).
template <class Body>
auto InTransaction(const CDatabase& db, bool bMayWrite, Body&& body) -> decltype(body()) {
  auto engineDb = db.DatabaseObject();
  if (!engineDb) return body();
  engine::OperationScope scope(*engineDb, bMayWrite);
  if constexpr (std::is_void_v<decltype(body())>) {
    body();
    scope.Commit();
  } else {
    auto result = body();
    scope.Commit();
    return result;
  }
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
