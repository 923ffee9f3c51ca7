// Output of records: the text form (one Name=Value line per field), CSV with
// a header line, or JSON objects with typed values.
#pragma once

#include <ostream>
#include <vector>

#include <CLI/CLI.hpp>

#include <zazorazari/dataobject/CDataObject.h>

namespace zazorazari::cli {

enum class OutputFormat { Text, Csv, Json };

// Adds --format text|csv|json to a subcommand.
void AddFormatOption(CLI::App* sub, OutputFormat& format);

// One record: text lines, a CSV header and row, or one JSON object.
void PrintRecord(std::ostream& out, const CDataObject& record, OutputFormat format);

// Records with the fields of `shape`: text blocks separated by an empty
// line, CSV with one header line (also when there are no records), or a
// JSON array.
void PrintRecords(std::ostream& out, const CDataObject& shape, const std::vector<CDataObjectPtr>& records,
                  OutputFormat format);

}  // namespace zazorazari::cli
