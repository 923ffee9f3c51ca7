// Column definitions as the engine reports them: name, field type code and
// size, taken from each column's declared type.
#pragma once

#include <cstdint>
#include <string>

#pragma GCC visibility push(default)
namespace zazorazari::engine {

// Field type codes of the DAO object model.
enum DataTypeEnum : int32_t {
  dbBoolean = 1,
  dbByte = 2,
  dbInteger = 3,
  dbLong = 4,
  dbCurrency = 5,
  dbSingle = 6,
  dbDouble = 7,
  dbDate = 8,
  dbText = 10,
  dbMemo = 12,
  dbNumeric = 19
};

struct FieldDef {
  std::string Name;
  int32_t Type = 0;
  int32_t Size = 0;
};

}  // namespace zazorazari::engine
#pragma GCC visibility pop
