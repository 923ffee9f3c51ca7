// Export of every pilot as a registration list (CSV) with the columns the
// import reads, so that a list exported and imported again gives the same
// pilots. UTF-8 with a byte order mark, which spreadsheets need to see it as
// UTF-8; the file replaces the target only when complete.
#include <cstdio>
#include <string>
#include <vector>

#include "zazorazari/database/CDatabase.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/engine/Database.h"
#include "zazorazari/engine/Recordset.h"
#include "zazorazari/interchange/CsvTable.h"
#include "zazorazari/interchange/HostCalls.h"
#include "zazorazari/interchange/PilotListColumns.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/FileReplacement.h"

namespace zazorazari {

using namespace interchange;

namespace {

// Dates as ISO 8601, which the import reads whatever the regional form.
std::string CellText(const Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return {};
  if (value.VarType() == vtDate) return FormatIsoDate(CDbl(value));
  return CStr(value);
}

}  // namespace

int32_t CDatabase::ExportPilotsToCSV(const std::string& strPath, char separator, DispatchPtr frmProgress) {
  const auto engineDb = DatabaseObject();
  if (!engineDb) throw RuntimeError(errObjectNotSet);
  if (separator != ',' && separator != ';' && separator != '\t') throw RuntimeError(errInvalidProcedureCall);
  return InTransaction(*this, false, [&] {
    ReportProgressIfAny(frmProgress, int16_t{1});
    const std::vector<PilotListColumn> columns = PilotListColumns(*CreateDataObject("doPilot"));
    std::vector<std::string> cells;
    for (const auto& column : columns) cells.push_back(column.header);
    std::string text = "\xEF\xBB\xBF" + CsvLine(cells, separator);

    int32_t count = 0;
    auto rs = engineDb->OpenRecordset("SELECT * FROM doPilot ORDER BY pilPk", engine::dbOpenSnapshot);
    for (; !rs->IsEOF(); rs->MoveNext(), ++count) {
      cells.clear();
      for (const auto& column : columns) cells.push_back(CellText(rs->Fields(column.field).Value()));
      text += CsvLine(cells, separator);
    }
    rs->Close();
    files::ReplaceFileWith(strPath, files::kExportedFile,
                           [&text](FILE* file) { return std::fwrite(text.data(), 1, text.size(), file) == text.size(); });
    ReportProgressIfAny(frmProgress, int16_t{100});
    return count;
  });
}

}  // namespace zazorazari
