// Late-bound host objects and the non-interactive user interface.
#include <gtest/gtest.h>

#include <vector>

#include "support/ErrorCapture.h"
#include "zazorazari/platform/Dispatch.h"
#include "zazorazari/platform/ErrorNumbers.h"
#include "zazorazari/platform/UserInterface.h"

using namespace zazorazari;
using zaztest::CaughtError;

TEST(Dispatch, MembersAreCalledByExactName) {
  auto progress = std::make_shared<DispatchObject>();
  Variant stored;
  progress->OnMethod("Add", [](std::span<const Variant> args) { return Variant(args[0].Number() + args[1].Number()); })
      .OnGet("Cancel", [] { return Variant(true); })
      .OnPut("Value", [&](const Variant& v) { stored = v; });
  const DispatchPtr host = progress;

  const std::vector<Variant> args{Variant(2), Variant(3)};
  EXPECT_EQ(CallMethod(host, "Add", args).Number(), 5);
  EXPECT_TRUE(GetProperty(host, "Cancel") == Variant(true));
  EXPECT_TRUE(CallMethod(host, "Cancel") == Variant(true));  // obj.Cancel written as a call
  PutProperty(host, "Value", Variant(42));
  EXPECT_TRUE(stored == Variant(42));

  EXPECT_EQ(CaughtError([&] { GetProperty(host, "cancel"); }).Number(), errMemberNotSupported);
  EXPECT_EQ(CaughtError([&] { PutProperty(host, "Cancel", Variant(1)); }).Number(), errMemberNotSupported);
  EXPECT_EQ(CaughtError([&] { CallMethod(host, "Show"); }).Number(), errMemberNotSupported);
}

TEST(Dispatch, MissingHostObjectFailsWith91) {
  const DispatchPtr none;
  EXPECT_EQ(CaughtError([&] { CallMethod(none, "Show"); }).Number(), errObjectNotSet);
  EXPECT_EQ(CaughtError([&] { GetProperty(none, "Cancel"); }).Number(), errObjectNotSet);
  EXPECT_EQ(CaughtError([&] { PutProperty(none, "Value", Variant(1)); }).Number(), errObjectNotSet);
}

TEST(UserInterface, NonInteractiveAnswersNoToQuestionsAndReportsThePrompt) {
  NonInteractiveUserInterface ui;
  testing::internal::CaptureStderr();
  EXPECT_EQ(ui.MsgBox("Overwrite pilot Meier?", vbYesNo | vbExclamation, kDefaultMsgBoxTitle), vbNo);
  EXPECT_EQ(ui.MsgBox("Import finished.", vbOKOnly, "Waypoints"), vbOK);
  const std::string written = testing::internal::GetCapturedStderr();
  EXPECT_NE(written.find("ZAZorazari: Overwrite pilot Meier?"), std::string::npos);
  EXPECT_NE(written.find("Waypoints: Import finished."), std::string::npos);
}
