// Running the tool through the shell with its streams in files.
#include "cli/CliRunner.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "interchange/InterchangeTestSupport.h"

namespace zaztest {

namespace {

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

}  // namespace

int RunShell(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

CliResult RunCli(const ScratchDir& dir, const std::vector<std::string>& args, const std::string& input) {
  WriteFile(dir.File("cli.in"), input);
  std::string command = "cd " + Quoted(dir.Path().string()) + " && " + Quoted(ZAZ_CLI_PATH);
  for (const auto& arg : args) command += " " + Quoted(arg);
  command += " <cli.in >cli.out 2>cli.err";
  CliResult result;
  result.status = RunShell(command);
  result.out = ReadFile(dir.File("cli.out"));
  result.err = ReadFile(dir.File("cli.err"));
  return result;
}

void CreateFile(const ScratchDir& dir, const std::string& file, bool catalog) {
  std::vector<std::string> args{"create", file, "--template-dir", TemplateDir()};
  if (catalog) args.push_back("--catalog");
  const CliResult created = RunCli(dir, args);
  ASSERT_EQ(created.status, 0) << created.err;
}

size_t LineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace zaztest
