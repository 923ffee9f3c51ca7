// The demo end to end: its summary, its files, and XML that xmllint accepts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/CliRunner.h"

namespace zaztest {
namespace {

using ::testing::HasSubstr;

TEST(CliDemoCommand, BuildsExportsAndCopies) {
  ScratchDir dir;
  const CliResult demo = RunCli(dir, {"demo", "out", "--template-dir", TemplateDir()});
  ASSERT_EQ(demo.status, 0) << demo.err;
  EXPECT_EQ(demo.err, "");
  for (const char* line : {"turnpoints   20 imported", "pilots       36 with 6 gliders",
                           "tasks        2 with 12 task turnpoints",
                           "results      36 filled for task 1 of 72 rows; task 2 has results: no",
                           "catalogue    36 pilots copied, 144 attribute values"}) {
    EXPECT_THAT(demo.out, HasSubstr(line));
  }
  for (const char* xml : {"competition.xml", "task1.xml", "task1-results.xml"}) {
    EXPECT_EQ(RunShell("xmllint --noout " + dir.File(std::string("out/") + xml)), 0) << xml;
  }
  EXPECT_EQ(RunCli(dir, {"check", "out/competition.mdb", "--expect", "competition"}).status, 0);
  EXPECT_EQ(RunCli(dir, {"check", "out/catalog.mdb", "--expect", "catalog"}).status, 0);
}

}  // namespace
}  // namespace zaztest
