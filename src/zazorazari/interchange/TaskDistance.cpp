// The optimised task distance computed and stored in the task's distance
// columns, in kilometres like the rest of the task's distances.
#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/dataobject/modTools.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/AtomicScope.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/TaskRoute.h"

namespace zazorazari {

namespace {

constexpr double kMetresPerKilometre = 1000.0;

void StoreRoute(engine::Database& db, int32_t lPkTask, const interchange::TaskRoute& route) {
  const std::string criteria = SqlEqualNumber("tasPk", lPkTask);
  auto visits = db.OpenRecordset("SELECT * FROM tblTaskTurnpoint WHERE " + criteria + " ORDER BY ttpNr",
                                 engine::dbOpenDynaset);
  for (size_t i = 0; !visits->IsEOF() && i < route.points.size(); visits->MoveNext(), ++i) {
    visits->Edit();
    visits->Fields("ttpDistanceDiff").SetValue(route.points[i].leg / kMetresPerKilometre);
    visits->Fields("ttpDistanceTotal").SetValue(route.totals[i] / kMetresPerKilometre);
    visits->Update();
  }
  visits->Close();
  auto task = db.OpenRecordset("SELECT * FROM tblTask WHERE " + criteria, engine::dbOpenDynaset);
  task->Edit();
  task->Fields("tasDistance").SetValue(route.distance / kMetresPerKilometre);
  task->Fields("tasSSDistance").SetValue(route.speedSection / kMetresPerKilometre);
  task->Update();
  task->Close();
}

}  // namespace

double CDatabase::ComputeTaskDistance(int32_t lPkTask) {
  const auto engineDb = DatabaseObject();
  if (!engineDb) throw RuntimeError(errObjectNotSet);
  engine::AtomicScope scope(*engineDb);  // undone unless committed
  const interchange::TaskRoute route = interchange::RouteOf(interchange::ReadTaskDefinition(*engineDb, lPkTask));
  StoreRoute(*engineDb, lPkTask, route);
  scope.Commit();
  SetModified();
  return route.distance / kMetresPerKilometre;
}

}  // namespace zazorazari
