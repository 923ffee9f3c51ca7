// The data object types the facade knows: the view each reads, its required
// fields, its display name, and the two collection types.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace zazorazari {

struct DataObjectType {
  const char* name;
  const char* view;
  bool keyAlwaysOne;                   // the single competition row
  std::vector<const char*> required;   // fields flagged Required after reading
};

// Exact, case-sensitive lookup; nullptr for an undefined type.
const DataObjectType* FindDataObjectType(const std::string& strType);
std::span<const DataObjectType> DataObjectTypes();

// The fields joined by blanks to name a record in questions; empty for the
// types that are named "?".
const std::vector<const char*>* DisplayNameFields(const std::string& strType);

struct CollectionType {
  const char* name;
  const char* memberView;
  const char* keyField;
  const char* selectorField;
};

const CollectionType* FindCollectionType(const std::string& strType);
std::span<const CollectionType> CollectionTypes();

}  // namespace zazorazari
