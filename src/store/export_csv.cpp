#include "store/export_csv.h"

#include <charconv>
#include <cstring>
#include <ostream>
#include <system_error>

#include "store/store.h"
#include "util/cp932.h"

namespace tankora {

namespace fs = std::filesystem;

namespace {

constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
// Rows are gathered in a buffer and handed to the stream in blocks: one
// stream call per cell would cost more than the whole conversion.
constexpr std::size_t kFlushAt = 1 << 16;

bool IsPad(char c) { return c == ' ' || c == '\0'; }

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsReserved(const FieldDef& field) { return std::strncmp(field.name, "Reserve", 7) == 0; }

void AppendNumber(std::string& line, int n) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, n);
  line.append(digits, result.ptr);
}

bool Flush(std::string& buffer, std::ostream& out) {
  out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  buffer.clear();
  return static_cast<bool>(out);
}

}  // namespace

std::optional<CsvTable> CsvTableFromName(std::string_view name) {
  for (CsvTable t : {CsvTable::Customers, CsvTable::Slips, CsvTable::Ledger, CsvTable::Company}) {
    if (name == CsvTableName(t)) return t;
  }
  return std::nullopt;
}

const char* CsvTableName(CsvTable table) {
  switch (table) {
    case CsvTable::Customers:
      return "customers";
    case CsvTable::Slips:
      return "slips";
    case CsvTable::Ledger:
      return "ledger";
    case CsvTable::Company:
      return "company";
  }
  return "";
}

const RecordFile& FileOf(const Store& store, CsvTable table) {
  switch (table) {
    case CsvTable::Customers:
      return store.KokyakuFile();
    case CsvTable::Slips:
      return store.TenkenFile();
    case CsvTable::Ledger:
      return store.KoujiFile();
    case CsvTable::Company:
      return store.JisyaFile();
  }
  return store.KokyakuFile();
}

std::vector<int> ExportedFields(const RecordLayout& layout) {
  std::vector<int> fields;
  for (int i = 0; i < layout.FieldCount(); ++i) {
    if (!IsReserved(layout.Field(i))) fields.push_back(i);
  }
  return fields;
}

std::string_view CellValue(std::string_view raw, Align align) {
  std::size_t end = raw.size();
  while (end > 0 && IsPad(raw[end - 1])) --end;
  std::size_t begin = 0;
  if (align == Align::Right) {
    while (begin < end && IsPad(raw[begin])) ++begin;
  }
  return raw.substr(begin, end - begin);
}

void AppendCsvCell(std::string& line, std::string_view value) {
  // In CP932 every trail byte is 0x40 or above, so looking for these ASCII
  // bytes never hits half of a double-byte character.
  const bool quote = !value.empty() && (value.find_first_of(",\"\r\n") != std::string_view::npos ||
                                        value.front() == ' ' || value.back() == ' ');
  if (!quote && value.find('\0') == std::string_view::npos) {
    line.append(value);
    return;
  }
  if (quote) line.push_back('"');
  for (char c : value) {
    if (c == '"') line.push_back('"');
    // NUL is padding in these files; inside a cell it would end the text
    // for half the programs that read it.
    line.push_back(c == '\0' ? ' ' : c);
  }
  if (quote) line.push_back('"');
}

bool WriteCsv(const RecordLayout& layout, std::string_view images, const std::vector<int>& rows,
              CsvEncoding encoding, std::ostream& out) {
  const std::vector<int> fields = ExportedFields(layout);
  const bool utf8 = encoding == CsvEncoding::Utf8;
  const std::size_t length = layout.RecordLength();

  std::string buffer;
  buffer.reserve(kFlushAt + 4096);
  if (utf8) buffer += kUtf8Bom;
  buffer += "RecordNo";
  for (int f : fields) {
    buffer.push_back(',');
    buffer += layout.Field(f).name;
  }
  buffer += "\r\n";

  for (int n : rows) {
    // A record number past the bytes read (the file shrank since it was
    // counted) has nothing to show.
    if (n < 1 || static_cast<std::size_t>(n) * length > images.size()) continue;
    const std::string_view image = images.substr(static_cast<std::size_t>(n - 1) * length, length);
    AppendNumber(buffer, n);
    for (int f : fields) {
      buffer.push_back(',');
      const std::string_view value =
          CellValue(image.substr(layout.Offset(f), layout.Width(f)), layout.Field(f).align);
      // ASCII is the same in both encodings; only text with Japanese in it
      // needs the converter.
      if (utf8 && !IsAscii(value)) {
        AppendCsvCell(buffer, Cp932ToUtf8(value));
      } else {
        AppendCsvCell(buffer, value);
      }
    }
    buffer += "\r\n";
    if (buffer.size() >= kFlushAt && !Flush(buffer, out)) return false;
  }
  if (!Flush(buffer, out)) return false;
  out.flush();
  return static_cast<bool>(out);
}

Status ExportCsv(const Store& store, const CsvOptions& options, std::ostream& out) {
  const RecordFile& file = FileOf(store, options.table);
  std::error_code ec;
  const fs::file_status status = fs::status(file.Path(), ec);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    return Status::Fail(StoreError::CannotOpen, file.Path().string() + " is not a file");
  }
  std::string images;
  if (file.Count() > 0) {
    Status read = file.ReadAll(images);
    if (!read) return read;
  }

  std::vector<int> rows;
  if (options.table == CsvTable::Company) {
    // The company profile is record 1; anything after it is never read.
    if (file.Count() >= 1) rows.push_back(1);
  } else if (options.table == CsvTable::Customers && !options.includeDeleted) {
    rows = store.ActiveIndex();
  } else {
    const std::size_t length = file.Layout().RecordLength();
    const int count = static_cast<int>(images.size() / length);
    rows.reserve(static_cast<std::size_t>(count));
    for (int n = 1; n <= count; ++n) {
      if (options.includeDeleted || images[static_cast<std::size_t>(n - 1) * length] != '1') {
        rows.push_back(n);
      }
    }
  }
  if (!WriteCsv(file.Layout(), images, rows, options.encoding, out)) {
    return Status::Fail(StoreError::WriteFailed, "the CSV could not be written");
  }
  return Status::Ok();
}

Status ExportCsv(const fs::path& dataDir, const CsvOptions& options, std::ostream& out) {
  Store store(dataDir);
  Status open = store.OpenReadOnly();
  if (!open) return open;
  return ExportCsv(store, options, out);
}

}  // namespace tankora
