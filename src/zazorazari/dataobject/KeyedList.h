// An ordered list of shared objects addressed by 1-based position or by a
// text key that is unique ignoring letter case: the storage behind a
// record's fields and a collection's members. Lists with the same keys (the
// records read from one view) share one key index until one of them changes.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/platform/Variant.h"

#pragma GCC visibility push(default)
namespace zazorazari {

namespace keyedlist_detail {

inline char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Hash and equality that ignore ASCII letter case, so that a lookup by any
// spelling of a key needs no folded copy of it.
struct FoldedHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const noexcept {
    size_t h = 14695981039346656037ull;  // FNV-1a
    for (char c : s) {
      h ^= static_cast<unsigned char>(FoldAscii(c));
      h *= 1099511628211ull;
    }
    return h;
  }
};

struct FoldedEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
  }
};

}  // namespace keyedlist_detail

template <class T>
class KeyedList {
 public:
  using Ptr = std::shared_ptr<T>;

  // The keys by position and the position of each key.
  struct Keys {
    std::vector<std::optional<std::string>> byPosition;
    std::unordered_map<std::string, size_t, keyedlist_detail::FoldedHash, keyedlist_detail::FoldedEqual> index;
  };

  // Takes `items` under `keys`, which must hold one entry per item.
  void Assign(std::vector<Ptr> items, std::shared_ptr<const Keys> keys) {
    m_items = std::move(items);
    m_keys = std::const_pointer_cast<Keys>(std::move(keys));
  }
  std::shared_ptr<const Keys> SharedKeys() const { return m_keys; }

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
  // The keys, copied first when another list shares them.
  Keys& OwnKeys();
  // Re-points the index entries of positions from..end after a shift.
  void Reindex(Keys& keys, size_t from);

  std::vector<Ptr> m_items;
  std::shared_ptr<Keys> m_keys;  // none while the list is empty
};

template <class T>
void KeyedList<T>::Insert(size_t index, Ptr item, const std::optional<std::string>& key) {
  if (index > m_items.size()) throw RuntimeError(errSubscriptOutOfRange);
  if (key && Find(*key)) throw RuntimeError(errKeyAlreadyAssociated);
  Keys& keys = OwnKeys();
  m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  keys.byPosition.insert(keys.byPosition.begin() + static_cast<std::ptrdiff_t>(index), key);
  if (key) keys.index.emplace(*key, index);
  Reindex(keys, index + 1);
}

template <class T>
void KeyedList<T>::Remove(const Variant& vntIndexKey) {
  const size_t index = IndexOf(vntIndexKey);
  Keys& keys = OwnKeys();
  if (keys.byPosition[index]) keys.index.erase(*keys.byPosition[index]);
  m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
  keys.byPosition.erase(keys.byPosition.begin() + static_cast<std::ptrdiff_t>(index));
  Reindex(keys, index);
}

template <class T>
void KeyedList<T>::Clear() {
  m_items.clear();
  m_keys.reset();
}

template <class T>
size_t KeyedList<T>::IndexOf(const Variant& vntIndexKey) const {
  if (vntIndexKey.VarType() == vtString) {
    if (auto found = Find(vntIndexKey.Text())) return *found;
    throw RuntimeError(errInvalidProcedureCall);
  }
  if (!vntIndexKey.IsNumeric()) throw RuntimeError(errInvalidProcedureCall);
  const double position = std::nearbyint(vntIndexKey.Number());  // halves to even
  if (!(position >= 1 && position <= static_cast<double>(m_items.size()))) {
    throw RuntimeError(errSubscriptOutOfRange);
  }
  return static_cast<size_t>(position) - 1;
}

template <class T>
std::optional<size_t> KeyedList<T>::Find(const std::string& key) const {
  if (!m_keys) return std::nullopt;
  auto it = m_keys->index.find(std::string_view(key));
  if (it == m_keys->index.end()) return std::nullopt;
  return it->second;
}

template <class T>
typename KeyedList<T>::Keys& KeyedList<T>::OwnKeys() {
  if (!m_keys) {
    m_keys = std::make_shared<Keys>();
  } else if (m_keys.use_count() > 1) {
    m_keys = std::make_shared<Keys>(*m_keys);
  }
  return *m_keys;
}

template <class T>
void KeyedList<T>::Reindex(Keys& keys, size_t from) {
  for (size_t i = from; i < keys.byPosition.size(); ++i) {
    if (keys.byPosition[i]) keys.index.find(std::string_view(*keys.byPosition[i]))->second = i;
  }
}

}  // namespace zazorazari
#pragma GCC visibility pop
