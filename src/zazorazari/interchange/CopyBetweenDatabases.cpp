// Copying records from another database file into the open one, always
// through the records and the target's rules, so that the target decides
// keys, duplicates and what the copied records refer to.
#include <memory>
#include <string>
#include <vector>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/rules/CRuleObjects.h"

namespace zazorazari {

using namespace interchange;

namespace {

// The source file, opened by a facade of its own for the length of one copy.
std::unique_ptr<CDatabase> OpenSource(const std::string& strPath) {
  auto source = std::make_unique<CDatabase>();
  source->SetPath(strPath);
  source->OpenDB();
  return source;
}

bool IsCatalogType(const std::string& strDO) {
  return strDO == "doAttribute" || strDO == "doGlider" || strDO == "doAttributeValue" || strDO == "doReportString";
}

// Template with its first "%s" replaced by the record's name and the next
// one by the conflicting value.
std::string FillTemplate(std::string text, const std::string& name, const std::string& value) {
  size_t at = text.find("%s");
  if (at == std::string::npos) return text;
  text.replace(at, 2, name);
  at = text.find("%s", at + name.size());
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

// How a copy goes on with the next record.
class CopySession {
 public:
  CopySession(CDatabase& target, const DispatchPtr& frmAskOverwrite, const std::vector<std::string>& aMessage,
              bool bSingleObject)
      : m_target(target), m_ask(frmAskOverwrite), m_messages(aMessage), m_single(bSingleObject) {}

  // Adds the record; returns the value of the write that counts (a key when
  // the record was written).
  Variant Add(CDataObject& record, const std::string& strDO) {
    Variant value = m_target.AddDataObjectInternal(record, m_mode);
    if (!value.IsError() || IsCatalogType(strDO)) return value;
    switch (value.ErrorCode()) {
      case enumInternalErrorRecordsetExists: return OnDuplicate(record, value);
      case enumInternalErrorPilotSignExists: Report(record, 0, "pilNumber"); break;
      case enumInternalErrorPilotIDExists: Report(record, 1, "pilIDGlobal"); break;
      case enumInternalErrorTurnpointIDExists: Report(record, 2, "trnID"); break;
      default: break;
    }
    return value;
  }

 private:
  Variant OnDuplicate(CDataObject& record, const Variant& value) {
    if (m_skipAll || !m_ask) return value;
    if (m_single) PutProperty(m_ask, "SingleObject", true);
    PutProperty(m_ask, "ObjectName", m_target.DisplayName(record));
    UserInterface& ui = m_target.GetUserInterface();
    ui.SetMousePointer(vbDefaultPointer);
    const Variant modal = int16_t{1};
    CallMethod(m_ask, "Show", std::span<const Variant>(&modal, 1));
    ui.SetMousePointer(vbHourglass);
    const Variant answer = GetProperty(m_ask, "Answer");
    if (answer == Variant(1)) return m_target.AddDataObjectInternal(record, enumOverwriteForce);
    if (answer == Variant(2)) m_skipAll = true;
    // Later records overwrite; this one stays unwritten.
    if (answer == Variant(3)) m_mode = enumOverwriteForce;
    return value;
  }

  void Report(const CDataObject& record, size_t index, const char* conflictField) {
    if (index >= m_messages.size()) throw RuntimeError(errSubscriptOutOfRange);
    const Variant conflict = record.Fields(conflictField)->Value();
    const std::string text =
        FillTemplate(m_messages[index], m_target.DisplayName(record), conflict.IsNull() ? "" : CStr(conflict));
    UserInterface& ui = m_target.GetUserInterface();
    ui.SetMousePointer(vbDefaultPointer);
    ui.MsgBox(text, vbOKOnly | vbExclamation, kDefaultMsgBoxTitle);
    ui.SetMousePointer(vbHourglass);
  }

  CDatabase& m_target;
  DispatchPtr m_ask;
  const std::vector<std::string>& m_messages;
  bool m_single;
  bool m_skipAll = false;
  EnumOverwriteMode m_mode = enumOverwriteRaiseError;
};

bool CancelPressed(const DispatchPtr& frmProgress) {
  const Variant pressed = GetProperty(frmProgress, "CancelPressed");
  return !pressed.IsNull() && CBool(pressed);
}

}  // namespace

int32_t CDatabase::InsertDataObjectsFrom(const std::string& strDO, const std::string& strDBPathFrom,
                                         const std::vector<int32_t>& aPk, DispatchPtr frmProgress,
                                         DispatchPtr frmAskOverwrite, const std::vector<std::string>& aMessage,
                                         enumImportMode lMode) {
  return InImportTransaction(*this, lMode, [&] {
    if (frmProgress) PutProperty(frmProgress, "RaiseErrorIfCanceled", false);
    auto source = OpenSource(strDBPathFrom);
    const double upperBound = static_cast<double>(aPk.size()) - 1;
    CopySession session(*this, frmAskOverwrite, aMessage, aPk.size() == 1);
    for (size_t i = 0; i < aPk.size(); ++i) {
      if (frmProgress) ReportProgress(frmProgress, (static_cast<double>(i) + 1) / (upperBound + 1) * 100);
      CDataObjectPtr record = source->GetDataObject(strDO, aPk[i]);
      if (strDO == "doPilot" && FileType() == enumFileCompetition) {
        RuleObjects().Competition().LoadPilotAttributeValue(*record, *source);
      }
      const Variant value = session.Add(*record, strDO);
      if (!value.IsError() && !value.IsNull() && !value.IsEmpty()) {
        const int32_t lNewPk = CLng(value);
        if (strDO == "doPilot" && FileType() == enumFileCatalog) {
          // A catalogue keeps every attribute a pilot holds.
          auto attributes = source->GetDataObjectCollection("docPilotAttribute", aPk[i]);
          attributes->SetSelectorValue(lNewPk);
          UpdateDataObjectCollection(*attributes);
        }
      }
      if (frmProgress && CancelPressed(frmProgress)) break;
    }
    source->CloseDB();
    SetModified();
    return 0;
  });
}

int32_t CDatabase::InsertCatalogFrom(const std::string& strCatalogPath, enumImportMode lMode) {
  return InImportTransaction(*this, lMode, [&] {
    auto source = OpenSource(strCatalogPath);
    InTransaction(*source, false, [&] {
      for (const std::string name : {"Glider", "AttributeValue", "Origin", "ReportString"}) {
        auto rs = source->DatabaseObject()->OpenRecordset("tbl" + name, engine::dbOpenSnapshot);
        while (!rs->IsEOF()) {
          CDataObjectPtr record = source->GetDataObject("do" + name, CLng(rs->Fields(0).Value()));
          AddDataObject(*record, enumOverwriteRaiseError);
          rs->MoveNext();
        }
        rs->Close();
        SetModified();
      }
    });
    source->CloseDB();
    SetModified();
    return 0;
  });
}

}  // namespace zazorazari
