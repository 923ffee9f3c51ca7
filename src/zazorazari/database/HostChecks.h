// Checks a host makes before it writes what a person typed (extension): the
// record writes skip a field the column cannot hold without a word, and the
// task result import passes over a task the file does not have, so a host
// that takes values from people asks these first.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "zazorazari/dataobject/CField.h"
#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

// The value a record write would store in `field`'s column: text read as the
// column's type (True/False/Yes/No/-1/0, numbers, the date forms of
// DateFromText), whole-number columns rounded half to even. Fails with 3421
// when the column cannot hold it.
Variant ConvertForField(const CField& field, const Variant& value);

// The names CreateDataObject accepts, in registry order.
std::vector<std::string> DataObjectTypeNames();

// The collection types GetDataObjectCollection accepts, each with the data
// object type of its members.
std::vector<std::pair<std::string, std::string>> CollectionTypeNames();

// The task key a task result file (root ZOLTTaskResult) names; fails like
// ImportTaskResultFromXML for a file it cannot read.
int32_t TaskOfResultFile(const std::string& strPath);

}  // namespace zazorazari
#pragma GCC visibility pop
