// The task command: questions about a task and bulk changes of its results.
#include <iostream>
#include <memory>
#include <string>

#include "CommandSet.h"
#include "NameLookup.h"
#include "OpenDatabase.h"
#include "Refusal.h"
#include "TaskFileCommands.h"
#include <zazorazari/platform/Conversions.h>
#include <zazorazari/platform/Error.h>

namespace zazorazari::cli {

namespace {

struct TaskArgs {
  std::string file;
  int32_t task = 0;
  std::string action;
  std::string value;
};

const std::string& RequiredValue(const TaskArgs& a, const char* what) {
  if (a.value.empty()) throw CLI::ValidationError("VALUE", a.action + " needs " + what);
  return a.value;
}

int32_t WholeNumber(const std::string& text) {
  try {
    return CLng(Variant(CDbl(Variant(text))));
  } catch (const Error&) {
    throw UsageError("flight-time-needed: '" + text + "' is not a number of turnpoints.");
  }
}

int RunTask(const TaskArgs& a) {
  if (a.action == "flight-time-needed") RequiredValue(a, "the number of turnpoints reached");
  if (a.action == "assign-start") RequiredValue(a, "a start time such as 12:30:00");
  if (a.action == "map") RequiredValue(a, "the SVG file to write");
  auto db = OpenDatabase(a.file);
  // Task 0 of recompute stands for every task.
  if (a.task != 0 || a.action != "recompute") RequireTask(*db, a.task, a.file);
  if (a.action == "distance") {
    PrintTaskDistance(*db, a.task);
  } else if (a.action == "map") {
    WriteTaskMap(*db, a.task, a.value);
  } else if (a.action == "results-type") {
    std::cout << db->TaskResultsType(a.task) << '\n';
  } else if (a.action == "has-results") {
    std::cout << CStr(db->TaskHasResults(a.task)) << '\n';
  } else if (a.action == "turnpoints") {
    std::cout << db->TaskTurnpointCount(a.task) << '\n';
  } else if (a.action == "reset-results") {
    db->ResetTaskResults(a.task);
  } else if (a.action == "flight-time-needed") {
    std::cout << CStr(db->FlightTimeNeeded(a.task, WholeNumber(a.value))) << '\n';
  } else if (a.action == "assign-start") {
    double start = 0;
    try {
      start = DateFromText(a.value);
    } catch (const Error&) {
      throw UsageError("assign-start: '" + a.value + "' is no time; write hh:mm:ss or dd.mm.yyyy hh:mm:ss.");
    }
    db->AssignStartTimeToPilots(a.task, start);
  } else {
    db->SetTaskRecomputingFlag(a.task);
  }
  db->CloseDB();
  return 0;
}

}  // namespace

void AddTaskCommands(CommandSet& commands) {
  auto a = std::make_shared<TaskArgs>();
  CLI::App* task = commands.Add(
      "task",
      "Ask about a task or change its results", "zazorazari task cup.mdb 1 flight-time-needed 3",
      [a] { return RunTask(*a); },
      "Actions:\n"
      "  results-type            print the task's results type\n"
      "  has-results             True when a result has a status other than NYP\n"
      "  turnpoints              print the number of turnpoints\n"
      "  reset-results           replace the results by one empty result per pilot\n"
      "  flight-time-needed N    True when N reached turnpoints include the end of speed section\n"
      "  assign-start HH:MM:SS   give every result of the task this start time\n"
      "  recompute               mark the task for recomputing (task 0: every task)\n"
      "  distance                compute, store and print the optimised distance\n"
      "  map OUT.svg             write an A4 map of the task");
  task->add_option("FILE", a->file, "Database file")->required();
  task->add_option("TASK", a->task, "The task's key")->required();
  task->add_option("ACTION", a->action, "What to do (see Actions)")
      ->required()
      ->check(CLI::IsMember({"results-type", "has-results", "turnpoints", "reset-results", "flight-time-needed",
                             "assign-start", "recompute", "distance", "map"}));
  task->add_option("VALUE", a->value, "N for flight-time-needed, the time for assign-start, the file for map");
}

}  // namespace zazorazari::cli
