// Import of a task result file (root "ZOLTTaskResult"): each pilot's result
// of the task is read as a record, given the file's values and written back
// through the result rules.
#include <exception>
#include <string>

#include <pugixml.hpp>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/engine/FieldDef.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/XmlDocumentFile.h"
#include "zazorazari/platform/Conversions.h"

namespace zazorazari {

using namespace interchange;

namespace {

const char* const kOperation = "ImportTaskResultFromXML";

// The node name a document model reports, "#comment" and the like
// included; a missing node fails as a call on nothing.
std::string NodeName(pugi::xml_node node) {
  switch (node.type()) {
    case pugi::node_null: throw RuntimeError(errObjectNotSet);
    case pugi::node_comment: return "#comment";
    case pugi::node_pcdata: return "#text";
    case pugi::node_cdata: return "#cdata-section";
    default: return node.name();
  }
}

pugi::xml_node RequireFirstChild(pugi::xml_node parent, const char* name) {
  const pugi::xml_node child = parent.first_child();
  const std::string actual = NodeName(child);
  if (actual != name) throw Error(enumErrorImportXML, FacadeSource(kOperation), "Wrong element '" + actual + "'.");
  return child;
}

// A key attribute as the nearest 32-bit integer; a missing one (or a node
// that is not an element) fails as a call on nothing.
int32_t KeyAttribute(pugi::xml_node node) {
  if (node.type() != pugi::node_element) throw RuntimeError(errObjectNotSet);
  const pugi::xml_attribute id = node.attribute("ID");
  if (!id) throw RuntimeError(errObjectNotSet);
  return CLng(ParseNumber(id.value()));
}

Variant FieldValueFromText(const std::string& text, int32_t lDataType) {
  switch (lDataType) {
    case engine::dbByte:
    case engine::dbInteger:
    case engine::dbLong:
    case engine::dbSingle:
    case engine::dbDouble:
    case engine::dbNumeric: return ParseNumber(text);
    case engine::dbDate: return Variant::Date(DateFromText(text));
    default: return text;
  }
}

// The pilot's result row of the task, when there is one, with the file's
// values; pilots without a result row are passed over.
void ImportPilotResult(CDatabase& db, pugi::xml_node pilot, int32_t lPkTask) {
  const int32_t lPkPilot = KeyAttribute(pilot);
  auto rs = db.DatabaseObject()->OpenRecordset("SELECT * FROM doResult WHERE pilPk = " + std::to_string(lPkPilot) +
                                                   " AND tasPk = " + std::to_string(lPkTask),
                                               engine::dbOpenSnapshot);
  if (rs->IsEOF()) return;
  const int32_t lPkResult = CLng(rs->Fields("resPk").Value());
  rs->Close();
  CDataObjectPtr result = db.GetDataObject("doResult", lPkResult);
  for (const pugi::xml_attribute attribute : pilot.attributes()) {
    if (std::string(attribute.name()) == "ID") continue;
    CFieldPtr field = result->Fields(std::string("res") + attribute.name());
    field->SetValue(FieldValueFromText(attribute.value(), field->DataType()));
  }
  db.UpdateDataObject(*result, enumOverwriteReturnPk);
}

// `bChecked`: anything but an element among the pilots is refused with
// where it stands, before the described import would fail on it as a call
// on nothing.
void ImportResults(CDatabase& db, const LoadedXmlDocument& loaded, const DispatchPtr& frmProgress, bool bChecked) {
  const pugi::xml_node root = loaded.document.document_element();
  if (std::string(root.name()) != "ZOLTTaskResult") {
    throw Error(enumErrorImportXML, FacadeSource(kOperation), "Unknown element '" + std::string(root.name()) + "'.");
  }
  const pugi::xml_node task = RequireFirstChild(root, "Task");
  const int32_t lPkTask = KeyAttribute(task);
  const pugi::xml_node pilots = RequireFirstChild(task, "Pilots");
  if (!db.DatabaseObject()) throw RuntimeError(errObjectNotSet);

  const double count = static_cast<double>(std::distance(pilots.begin(), pilots.end()));
  double done = 0;
  for (const pugi::xml_node pilot : pilots.children()) {
    if (bChecked && pilot.type() != pugi::node_element) {
      throw Error(enumErrorImportXML, FacadeSource(kOperation),
                  std::string("Only <Pilot> elements may stand among the pilots; this is ") +
                      (pilot.type() == pugi::node_comment ? "a comment" : "text") + loaded.LineOf(pilot) + ".");
    }
    ImportPilotResult(db, pilot, lPkTask);
    ReportProgress(frmProgress, done / count * 100);
    ++done;
  }
  ReportProgress(frmProgress, 100.0);
}

}  // namespace

void CDatabase::ImportTaskResultFromXML(const std::string& strPath, DispatchPtr frmProgress, enumImportMode lMode) {
  const auto loaded = LoadXmlDocument(strPath, kOperation);
  InImportTransaction(*this, lMode, [&] {
    try {
      ImportResults(*this, *loaded, frmProgress, lMode == enumImportAllOrNothing);
    } catch (const Error& e) {
      throw Error(enumErrorImportXML, FacadeSource(kOperation), ErrorInfoText(e));
    } catch (const std::exception& e) {
      const Error inner(errInvalidProcedureCall, kRuntimeSource, e.what());
      throw Error(enumErrorImportXML, FacadeSource(kOperation), ErrorInfoText(inner));
    }
  });
}

}  // namespace zazorazari
