// Helpers of the interchange tests: a database with a row in every exported
// table, a progress object that records its calls, an independent XPath
// reader (xmllint) and whole-file reads.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/TestDatabase.h"
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/platform/Dispatch.h"

namespace zaztest {

// 2003-12-24 as a day number, and 14:30 as a fraction of a day.
inline constexpr const char* kChristmasEve = "37979";
inline constexpr const char* kHalfPastTwo = "0.6041666666666666";

// One row (or two) in every table the database file carries, written with
// raw SQL so that the export is tested apart from the rules.
inline void FillEveryTable(const TestDatabase& t) {
  t.Sql(std::string() +
        "INSERT INTO tblAttribute VALUES (1, 'Club');"
        "INSERT INTO tblAttributeValue VALUES (1, 1, 'Flügelverein Zürich');"
        "INSERT INTO tblOrigin VALUES (2, 756, 'Wallis', 'VS');"
        "INSERT INTO tblTurnpoint (trnPk, trnName, trnID, trnPositionType, trnPositionLatitudeDecimal,"
        " trnPositionLatitudeDirection, trnPositionLatitudeDegree, trnPositionLongitudeDecimal,"
        " trnPositionLongitudeDirection, trnPositionEastings, trnPositionNorthings, trnPositionAltitude,"
        " trnPositionMapZone, geoPk, oriPk)"
        " VALUES (7, 'Fiesch', 'FIE', 'WGS', 46.4, 'N', 46, 8.125, 'E', 432100.5, 5140000, 1050, 32, 243, 2);"
        "INSERT INTO tblManufacturer VALUES (1, 'Ozone');"
        "INSERT INTO tblGlider VALUES (1, 'Enzo', 2, 1);"
        "INSERT INTO tblReportString VALUES (1, 3, 'Task report');"
        "INSERT INTO tblFormulaCompetition VALUES (2, 'a=1');"
        "UPDATE tblCompetition SET comName = 'Swiss Open', comDateFrom = " + kChristmasEve +
        ", comDateTo = " + kChristmasEve + " + 2 + " + kHalfPastTwo +
        ", attPk1 = 1, comPilotNation = -1, comPilotSign = 0, comCatalogDatabase = 'cat.mdb';"
        "INSERT INTO tblPilot (pilPk, pilIDGlobal, pilFirstName, pilLastName, pilSex, pilBirthday, pilNumber,"
        " gliPk, oriPk, pilRank, pilAddress1, avaPk1, pilCompetitionScore)"
        " VALUES (3, 'SUI-17', 'Jörg', 'Müßig', 'M', 25000, 17, 1, 2, 4, 'Dorfstrasse 1', 1, 812.25);"
        "INSERT INTO tblPilot (pilPk, pilFirstName, pilLastName, pilNumber) VALUES (4, 'Ann', 'Smith', 18);"
        "INSERT INTO tblPilotAttribute VALUES (1, 3, 1);"
        "INSERT INTO tblTask (tasPk, tasDate, tasName, tasResultsType, tasStartType, tasTaskType, tasDistance,"
        " tasSSOpen, tasSSClose, tasNeedsComputing, tasTopSpeed, tasPilotsLaunched, tasRankWeight)"
        " VALUES (5, " + kChristmasEve + ", 'Task 1', 'Race', 'Air', 'Race', 87.5, 0, " + kChristmasEve + " + " +
        kHalfPastTwo + ", -1, 12.5, 2, 0.8);"
        "INSERT INTO tblFormulaTask VALUES (1, 0, 5, 'x=2');"
        "INSERT INTO tblResult (resPk, pilPk, tasPk, resStatus, resTurnpointsReached, resPositionLatitudeDecimal,"
        " resPositionCirceled, resSSTime, resPenaltyType, resComment, resSpeed, resReachedES, resPlace)"
        " VALUES (9, 3, 5, 'ES', 3, 46.5, -1, " + kHalfPastTwo + ", 0, 'fine', 31.25, -1, 1);"
        "INSERT INTO tblResult (resPk, pilPk, tasPk, resPositionLatitudeDecimal) VALUES (10, 4, 5, 0);"
        "INSERT INTO tblTaskTurnpoint VALUES (1, 5, 7, 1, '1', 'SS', 0, 0, 400, NULL);"
        "INSERT INTO tblTaskTurnpoint VALUES (2, 5, 7, 2, '2', '', 1.5, 1.5, NULL, 30);"
        "INSERT INTO tblTeamScoring VALUES (1, 'pilSex=\"F\"', 'Ladies', 1, 1000.5, 3);");
}

// A progress object that records every SetInfo argument.
struct ProgressRecorder {
  std::vector<zazorazari::Variant> calls;
  zazorazari::DispatchPtr object;

  ProgressRecorder() {
    auto host = std::make_shared<zazorazari::DispatchObject>();
    host->OnMethod("SetInfo", [this](std::span<const zazorazari::Variant> args) {
      calls.push_back(args.empty() ? zazorazari::Variant() : args[0]);
      return zazorazari::Variant();
    });
    object = host;
  }

  std::vector<double> Percentages() const {
    std::vector<double> values;
    for (const auto& v : calls) values.push_back(v.Number());
    return values;
  }
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// What xmllint prints for an XPath expression on the file, without the
// last line end ("" for an empty node set).
inline std::string XPath(const std::string& file, const std::string& expression) {
  const std::string command = "xmllint --xpath '" + expression + "' '" + file + "' 2>/dev/null";
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    ::pclose(pipe);
  }
  if (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

inline bool WellFormed(const std::string& file) {
  return std::system(("xmllint --noout '" + file + "' 2>/dev/null").c_str()) == 0;
}

}  // namespace zaztest
