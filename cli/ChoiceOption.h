// An option that takes one word of a fixed set and stores what it stands
// for, with the words themselves in --help and in usage errors. The words
// are lower case and match in any case.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

namespace zazorazari::cli {

template <class T>
CLI::Option* AddChoiceOption(CLI::App* sub, const std::string& name, T& target, const std::map<std::string, T>& choices,
                             const std::string& description) {
  std::vector<std::string> words;
  std::string typeName;
  for (const auto& [word, value] : choices) {
    words.push_back(word);
    typeName += (typeName.empty() ? "" : "|") + word;
  }
  return sub
      ->add_option_function<std::string>(
          name, [&target, choices](const std::string& word) { target = choices.at(CLI::detail::to_lower(word)); },
          description)
      ->check(CLI::IsMember(words, CLI::ignore_case).description(""))
      ->type_name(typeName);
}

}  // namespace zazorazari::cli
