// Copying records and catalogues from another database file: the overwrite
// question and its four answers, the conflict messages, progress and cancel,
// and the catalogue copy into empty and colliding files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "interchange/InterchangeTestSupport.h"
#include "support/ObjectBuilder.h"
#include "zazorazari/database/Enums.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/Error.h"
#include "zazorazari/platform/UserInterface.h"

using namespace zazorazari;
using namespace zaztest;

namespace {

// Every message box and pointer change, in order.
struct RecordingUserInterface : UserInterface {
  std::vector<std::string> events;
  int32_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title) override {
    events.push_back("box:" + prompt + "|" + std::to_string(buttons) + "|" + title);
    return vbOK;
  }
  void SetMousePointer(int32_t pointer) override { events.push_back("pointer:" + std::to_string(pointer)); }
};

// The overwrite question with a scripted answer.
struct AskOverwrite {
  int32_t answer = 0;
  std::vector<std::string> events;
  DispatchPtr object;

  explicit AskOverwrite(int32_t scriptedAnswer) : answer(scriptedAnswer) {
    auto host = std::make_shared<DispatchObject>();
    host->OnPut("SingleObject", [this](const Variant& v) { events.push_back("single:" + CStr(v)); })
        .OnPut("ObjectName", [this](const Variant& v) { events.push_back("name:" + CStr(v)); })
        .OnMethod("Show", [this](std::span<const Variant> args) {
          events.push_back("show:" + CStr(args[0]));
          return Variant();
        })
        .OnGet("Answer", [this] { return Variant(answer); });
    object = host;
  }
};

int32_t AddPilot(CDatabase& db, const std::string& first, const std::string& last, const Variant& number,
                 const Variant& sponsor = Variant::Null(), const Variant& idGlobal = Variant::Null()) {
  return db.AddDataObject(*NewObject(db, "doPilot",
                                     {{"pilFirstName", first}, {"pilLastName", last}, {"pilNumber", number},
                                      {"pilSponsor", sponsor}, {"pilIDGlobal", idGlobal}}),
                          enumOverwriteRaiseError);
}

const std::vector<std::string> kMessages = {"%s: number %s is taken", "%s: ID %s is taken", "%s: waypoint %s is taken"};

// Source: Hans Meier, Eva Huber (both also in the target, without sponsor)
// and Tom Keller (only in the source).
class CopyPilots : public ::testing::Test {
 protected:
  void SetUp() override {
    keys = {AddPilot(source.Db(), "Hans", "Meier", 1, "S1"), AddPilot(source.Db(), "Eva", "Huber", 2, "S2"),
            AddPilot(source.Db(), "Tom", "Keller", 3)};
    AddPilot(target.Db(), "Hans", "Meier", 1);
    AddPilot(target.Db(), "Eva", "Huber", 2);
    target.Db().SetUserInterface(ui);
  }
  std::string Sponsors() const {
    return target.Scalar(
        "SELECT group_concat(pilLastName || '=' || IFNULL(pilSponsor, '-'), ',') FROM "
        "(SELECT * FROM tblPilot ORDER BY pilLastName)");
  }
  void Copy(const std::vector<int32_t>& pks, const DispatchPtr& ask, const DispatchPtr& progress = nullptr) {
    EXPECT_EQ(target.Db().InsertDataObjectsFrom("doPilot", source.FilePath(), pks, progress, ask, kMessages), 0);
  }

  TestDatabase source;
  TestDatabase target;
  std::shared_ptr<RecordingUserInterface> ui = std::make_shared<RecordingUserInterface>();
  std::vector<int32_t> keys;
};

// Meier and Huber are duplicates; Keller is new and copied every time.
TEST_F(CopyPilots, EachAnswerToTheQuestion) {
  const struct {
    int32_t answer;
    std::vector<std::string> asked;
    const char* sponsors;
  } cases[] = {
      {0, {"name:Hans Meier", "show:1", "name:Eva Huber", "show:1"}, "Huber=-,Keller=-,Meier=-"},
      {1, {"name:Hans Meier", "show:1", "name:Eva Huber", "show:1"}, "Huber=S2,Keller=-,Meier=S1"},
      {2, {"name:Hans Meier", "show:1"}, "Huber=-,Keller=-,Meier=-"},  // skips every later one unasked
      {3, {"name:Hans Meier", "show:1"}, "Huber=S2,Keller=-,Meier=-"},  // overwrites only the later ones
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    target.Sql("DELETE FROM tblPilot WHERE pilLastName = 'Keller'; UPDATE tblPilot SET pilSponsor = NULL");
    ui->events.clear();
    AskOverwrite ask(c.answer);
    Copy(keys, ask.object);
    EXPECT_EQ(ask.events, c.asked);
    EXPECT_EQ(Sponsors(), c.sponsors);
    EXPECT_EQ(target.Count("tblPilot"), 3);
    EXPECT_TRUE(target.Db().IsModified());
    if (c.answer == 0) {
      EXPECT_EQ(ui->events, (std::vector<std::string>{"pointer:0", "pointer:11", "pointer:0", "pointer:11"}));
    }
  }
}

TEST_F(CopyPilots, SingleRecordIsFlaggedAndMissingQuestionSkipsDuplicates) {
  AskOverwrite ask(0);
  Copy({keys[0]}, ask.object);
  EXPECT_EQ(ask.events, (std::vector<std::string>{"single:True", "name:Hans Meier", "show:1"}));

  Copy(keys, nullptr);
  EXPECT_EQ(Sponsors(), "Huber=-,Keller=-,Meier=-");
  EXPECT_EQ(target.Count("tblPilot"), 3);
}

TEST_F(CopyPilots, ProgressAndCancelAfterTheFirstRecord) {
  std::vector<std::string> events;
  auto progress = std::make_shared<DispatchObject>();
  progress->OnPut("RaiseErrorIfCanceled", [&](const Variant& v) { events.push_back("raise:" + CStr(v)); })
      .OnMethod("SetInfo",
                [&](std::span<const Variant> args) {
                  events.push_back("info:" + std::to_string(static_cast<int>(args[0].Number() * 100)));
                  return Variant();
                })
      .OnGet("CancelPressed", [&] {
        events.push_back("cancel?");
        return Variant(true);
      });
  Copy({keys[2], keys[0], keys[1]}, nullptr, progress);
  EXPECT_EQ(events, (std::vector<std::string>{"raise:False", "info:3333", "cancel?"}));
  EXPECT_EQ(target.Count("tblPilot"), 3);
  EXPECT_EQ(target.Count("tblPilot", "pilLastName = 'Keller'"), 1);
}

TEST_F(CopyPilots, ConflictsAreShownWithTheMessageTemplates) {
  const int32_t dunn = AddPilot(source.Db(), "Dora", "Dunn", 9);
  const int32_t roth = AddPilot(source.Db(), "Paul", "Roth", 7, Variant::Null(), "G-1");
  target.Sql("UPDATE tblPilot SET pilIDGlobal = 'G-1', pilNumber = 9 WHERE pilLastName = 'Meier'");
  source.Sql("INSERT INTO tblTurnpoint (trnPk, trnName, trnID) VALUES (4, 'Other', 'FIE')");
  target.Sql("INSERT INTO tblTurnpoint (trnPk, trnName, trnID) VALUES (1, 'Fiesch', 'FIE')");

  Copy({dunn, roth}, nullptr);
  ASSERT_EQ(target.Db().InsertDataObjectsFrom("doTurnpoint", source.FilePath(), {4}, nullptr, nullptr, kMessages), 0);
  const std::string tail = "|" + std::to_string(vbOKOnly | vbExclamation) + "|ZAZorazari";
  EXPECT_EQ(ui->events, (std::vector<std::string>{"pointer:0", "box:Dora Dunn: number 9 is taken" + tail, "pointer:11",
                                                  "pointer:0", "box:Paul Roth: ID G-1 is taken" + tail, "pointer:11",
                                                  "pointer:0", "box:Other: waypoint FIE is taken" + tail,
                                                  "pointer:11"}));
  EXPECT_EQ(target.Count("tblPilot"), 2);
  EXPECT_EQ(target.Count("tblTurnpoint"), 1);
}

TEST(CopyIntoCatalog, PilotTakesItsAttributeRowsUnderItsNewKey) {
  TestDatabase source;
  TestDatabase catalog(enumFileCatalog);
  const int32_t pilot = AddPilot(source.Db(), "Hans", "Meier", 1);
  source.Sql("INSERT INTO tblAttribute VALUES (1, 'Club');"
             "INSERT INTO tblAttributeValue VALUES (1, 1, 'Alpha');"
             "INSERT INTO tblPilotAttribute (pilPk, avaPk) VALUES (" + std::to_string(pilot) + ", 1);");
  ASSERT_EQ(catalog.Db().InsertDataObjectsFrom("doPilot", source.FilePath(), {pilot}, nullptr, nullptr, kMessages), 0);
  EXPECT_EQ(catalog.Scalar("SELECT a.attName || '=' || v.avaValue FROM tblPilotAttribute AS pa "
                           "JOIN tblAttributeValue AS v ON v.avaPk = pa.avaPk "
                           "JOIN tblAttribute AS a ON a.attPk = v.attPk "
                           "JOIN tblPilot AS p ON p.pilPk = pa.pilPk WHERE p.pilLastName = 'Meier'"),
            "Club=Alpha");
}

class CopyCatalog : public ::testing::Test {
 protected:
  void SetUp() override {
    source.Sql("INSERT INTO tblManufacturer VALUES (1, 'Ozone');"
               "INSERT INTO tblGlider VALUES (1, 'Enzo', 2, 1);"
               "INSERT INTO tblGlider VALUES (2, 'Rush', 2, 1);"
               "INSERT INTO tblAttribute VALUES (1, 'Club');"
               "INSERT INTO tblAttributeValue VALUES (1, 1, 'Alpha');"
               "INSERT INTO tblOrigin VALUES (2, 756, 'Wallis', 'VS');"
               "INSERT INTO tblReportString VALUES (1, 3, 'Report');");
  }
  TestDatabase source{enumFileCatalog};
  TestDatabase target;
};

TEST_F(CopyCatalog, EmptyTargetReceivesEveryCatalogueRow) {
  // Both files hold the template's origin of unknown nation, which would
  // collide; an empty target has none.
  target.Sql("DELETE FROM tblOrigin");
  EXPECT_EQ(target.Db().InsertCatalogFrom(source.FilePath()), 0);
  EXPECT_EQ(target.Scalar("SELECT group_concat(gliName, ',') FROM (SELECT * FROM tblGlider ORDER BY gliPk)"), "Enzo,Rush");
  EXPECT_EQ(target.Count("tblManufacturer"), 1);
  EXPECT_EQ(target.Scalar("SELECT avaValue FROM tblAttributeValue"), "Alpha");
  EXPECT_EQ(target.Count("tblOrigin", "oriRegion = 'Wallis' AND natPk = 756"), 1);
  EXPECT_EQ(target.Scalar("SELECT rstText FROM tblReportString"), "Report");
  EXPECT_TRUE(target.Db().IsModified());
}

TEST_F(CopyCatalog, CollisionStopsTheCopyAndKeepsWhatWasCopied) {
  target.Sql("INSERT INTO tblManufacturer VALUES (5, 'Ozone'); INSERT INTO tblGlider VALUES (5, 'Rush', 2, 5);");
  try {
    target.Db().InsertCatalogFrom(source.FilePath());
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), enumErrorRecordsetExists);
  }
  EXPECT_EQ(target.Scalar("SELECT group_concat(gliName, ',') FROM (SELECT * FROM tblGlider ORDER BY gliPk)"), "Rush,Enzo");
  EXPECT_EQ(target.Count("tblAttributeValue"), 0);
}

}  // namespace
