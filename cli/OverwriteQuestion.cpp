// The overwrite question: answers 0 skip, 1 overwrite, 2 skip all.
#include "OverwriteQuestion.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "Terminal.h"
#include <zazorazari/platform/Conversions.h>

namespace zazorazari::cli {

namespace {

constexpr int kSkip = 0;
constexpr int kOverwrite = 1;
constexpr int kSkipAll = 2;

struct Question {
  OverwritePolicy policy;
  bool singleObject = false;
  std::string objectName;
  int answer = kSkip;
  // "Overwrite all" is kept here and answered as "overwrite" for this and
  // every later record: the copy's own "overwrite all later" answer would
  // leave the record in question unwritten.
  std::optional<int> answerForAll;

  // A person answers at a terminal unless the command line already has.
  bool Asks() const { return policy == OverwritePolicy::Ask && IsInteractive(); }

  int Decide() {
    if (policy == OverwritePolicy::Force) return kOverwrite;
    if (!Asks()) return kSkip;
    if (answerForAll) return *answerForAll;
    const std::string prompt = "'" + objectName + "' is already in the target. [s]kip, [o]verwrite" +
                               (singleObject ? std::string() : ", [S]kip all, [O]verwrite all") + "? ";
    switch (AskChoice(prompt, singleObject ? "so" : "soSO", 's')) {
      case 'o':
        return kOverwrite;
      case 'S':
        return kSkipAll;
      case 'O':
        answerForAll = kOverwrite;
        return kOverwrite;
      default:
        return kSkip;
    }
  }
};

}  // namespace

DispatchPtr MakeOverwriteQuestion(OverwritePolicy policy, OverwriteTally& tally) {
  auto question = std::make_shared<Question>();
  question->policy = policy;
  auto object = std::make_shared<DispatchObject>();
  object->OnPut("SingleObject", [question](const Variant& v) { question->singleObject = CBool(v); })
      .OnPut("ObjectName", [question](const Variant& v) { question->objectName = CStr(v); })
      .OnMethod("Show",
                [question, &tally](std::span<const Variant>) {
                  question->answer = question->Decide();
                  const bool overwrite = question->answer == kOverwrite;
                  tally.overwritten += overwrite;
                  tally.skipped += !overwrite;
                  tally.unanswered += !overwrite && question->policy == OverwritePolicy::Ask && !question->Asks();
                  if (question->answer != kOverwrite && !question->Asks()) {
                    EndProgressLine();
                    std::cerr << "zazorazari: skipped '" << question->objectName << "': already in the target\n";
                  }
                  return Variant();
                })
      .OnGet("Answer", [question] { return Variant(static_cast<int32_t>(question->answer)); });
  return object;
}

const std::vector<std::string>& CopyConflictMessages() {
  static const std::vector<std::string> messages{
      "%s was not copied: start number %s is already taken in this file.",
      "%s was not copied: global ID %s is already taken in this file.",
      "%s was not copied: turnpoint ID %s is already taken in this file."};
  return messages;
}

}  // namespace zazorazari::cli
