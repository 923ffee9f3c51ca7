// "Did you mean" for a misspelt command, type, field or column.
#pragma once

#include <string>
#include <vector>

namespace zazorazari::cli {

// " Did you mean 'x'?" for the candidate closest to `word` (ignoring case)
// when it is close enough to be a slip; "" otherwise.
std::string DidYouMean(const std::string& word, const std::vector<std::string>& candidates);

}  // namespace zazorazari::cli
