// Suggestions by edit distance.
#include "Suggestion.h"

#include <algorithm>
#include <cctype>

namespace zazorazari::cli {

namespace {

size_t EditDistance(const std::string& a, const std::string& b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      const bool same = std::tolower(static_cast<unsigned char>(a[i - 1])) ==
                        std::tolower(static_cast<unsigned char>(b[j - 1]));
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::string DidYouMean(const std::string& word, const std::vector<std::string>& candidates) {
  const std::string* best = nullptr;
  size_t bestDistance = 0;
  for (const auto& candidate : candidates) {
    const size_t distance = EditDistance(word, candidate);
    if (!best || distance < bestDistance) {
      best = &candidate;
      bestDistance = distance;
    }
  }
  // A slip changes a few letters, not most of the word.
  if (!best || bestDistance > std::max<size_t>(2, word.size() / 3)) return "";
  return " Did you mean '" + *best + "'?";
}

}  // namespace zazorazari::cli
