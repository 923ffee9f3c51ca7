// Output of records: the text form (one Name=Value line per field), CSV with
// a header line, JSON objects with typed values, or an aligned table.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include <zazorazari/dataobject/CDataObject.h>

namespace zazorazari::cli {

// Default: a table when standard output is a terminal, else the text form.
enum class OutputFormat { Default, Text, Csv, Json, Table };

struct OutputOptions {
  OutputFormat format = OutputFormat::Default;
  std::vector<std::string> columns;  // empty: every field
};

// Adds --format text|csv|json|table and --columns a,b,c to a subcommand.
void AddOutputOptions(CLI::App* sub, OutputOptions& options);

// One record (the default form is the text form).
void PrintRecord(std::ostream& out, const CDataObject& record, const OutputOptions& options);

// Records with the fields of `shape`: text blocks separated by an empty
// line, CSV with one header line (also when there are no records), a JSON
// array, or a table with a header. A column the shape lacks is a usage error.
void PrintRecords(std::ostream& out, const CDataObject& shape, const std::vector<CDataObjectPtr>& records,
                  const OutputOptions& options);

}  // namespace zazorazari::cli
