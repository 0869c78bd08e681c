// CSV export of the record files, for spreadsheets and for people who leave.
//
// Everything here only reads: a Data folder that an export is pointed at is
// never created, locked or changed (the store is opened read-only), so it can
// run beside a running program or on a copy taken from another office.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_layout.h"
#include "store/status.h"

namespace tankora {

class Store;
class RecordFile;

enum class CsvTable { Customers, Slips, Ledger, Company };
enum class CsvEncoding { Utf8, Cp932 };

struct CsvOptions {
  CsvTable table = CsvTable::Customers;
  // UTF-8 starts with a byte-order mark so that spreadsheets recognise it;
  // CP932 writes the record bytes exactly as they are on disk.
  CsvEncoding encoding = CsvEncoding::Utf8;
  // Deleted records too: all records in file order, their DeleteFlag telling
  // them apart. Without it customers come in list order and slips and ledger
  // entries in record order, live ones only.
  bool includeDeleted = false;
};

std::optional<CsvTable> CsvTableFromName(std::string_view name);
const char* CsvTableName(CsvTable table);
const RecordFile& FileOf(const Store& store, CsvTable table);

// The fields that go out as columns (after RecordNo): every field of the
// layout except the reserved ones, which are blank by definition.
std::vector<int> ExportedFields(const RecordLayout& layout);

// A field's bytes as they go into a cell: trailing blanks (and NUL padding)
// dropped, and for right-aligned numbers the leading blanks too. Flag fields
// keep their leading blanks, because in the twelve-month flags the position
// is the month.
std::string_view CellValue(std::string_view raw, Align align);

// Appends one CSV cell, quoted when it holds a comma, a quote, CR or LF or
// begins or ends with a blank; quotes inside are doubled.
void AppendCsvCell(std::string& line, std::string_view value);

// Writes the header and one row per record number in `rows` (1-based into
// `images`, whole records of `layout` back to back). False when the stream
// reported a write failure.
bool WriteCsv(const RecordLayout& layout, std::string_view images, const std::vector<int>& rows,
              CsvEncoding encoding, std::ostream& out);

// The table of a store opened with OpenReadOnly (or Open).
Status ExportCsv(const Store& store, const CsvOptions& options, std::ostream& out);
// Opens the Data folder read-only and exports; fails when it does not exist.
Status ExportCsv(const std::filesystem::path& dataDir, const CsvOptions& options,
                 std::ostream& out);

}  // namespace tankora
