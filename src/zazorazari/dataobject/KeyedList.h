// An ordered list of shared objects addressed by 1-based position or by a
// text key that is unique ignoring letter case: the storage behind a
// record's fields and a collection's members.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "zazorazari/platform/Variant.h"

namespace zazorazari {

template <class T>
class KeyedList {
 public:
  using Ptr = std::shared_ptr<T>;

  int32_t Count() const { return static_cast<int32_t>(m_items.size()); }
  const std::vector<Ptr>& Items() const { return m_items; }

  // A number is a 1-based position (9 outside 1..Count), a text a key (5
  // when absent).
  const Ptr& Item(const Variant& vntIndexKey) const { return m_items[IndexOf(vntIndexKey)]; }
  bool HasKey(const std::string& key) const { return Find(key).has_value(); }

  // Inserts at `index` (0-based, Count() for the end) under an optional key;
  // a key that exists already, ignoring case, fails with 457.
  void Insert(size_t index, Ptr item, const std::optional<std::string>& key);
  void Remove(const Variant& vntIndexKey);
  void Clear();

  size_t IndexOf(const Variant& vntIndexKey) const;

 private:
  std::optional<size_t> Find(const std::string& key) const;

  std::vector<Ptr> m_items;
  std::vector<std::optional<std::string>> m_keys;  // folded to lower case
};

}  // namespace zazorazari
