// The own-company profile (record 1 of Jisya.120) and the backup folder
// setting (BackupFolder.500), both in the Data folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "store/record_layout.h"
#include "store/status.h"
#include "store/store.h"

namespace tankora {

// The seven company fields the program uses; every other field of the
// record is reserved and goes back to disk exactly as it was read.
enum class CompanyField { Teisyutusaki, Address, KaisyaName, Name, Tel, TopMargine, LeftMargine };

inline constexpr CompanyField kCompanyFields[] = {
    CompanyField::Teisyutusaki, CompanyField::Address, CompanyField::KaisyaName,
    CompanyField::Name,         CompanyField::Tel,     CompanyField::TopMargine,
    CompanyField::LeftMargine,
};

// The JisyaRecord field that holds a company field.
int JisyaFieldOf(CompanyField field);

class Company final {
 public:
  // `file` is the store's company file; it must outlive this object.
  explicit Company(RecordFile& file);

  // Reads record 1. A file shorter than one record gives the fields it
  // holds whole and blanks after them; an empty or missing one a blank profile.
  Status Load();
  // Writes record 1 in place through the record journal, so a crash
  // mid-save is finished at the next start. A file shorter than one record
  // is replaced whole (a new file and a rename). Records after the first
  // (there should be none) are kept as they are.
  Status Save();

  // The field's bytes as stored (CP932, full width, blank-padded).
  std::string_view Get(CompanyField field) const;
  // Stores a value: the text fields left-aligned, the margins right-aligned.
  void Set(CompanyField field, std::string_view value);

  const Record& Image() const { return record_; }

 private:
  RecordFile* file_;
  Record record_;
};

// --- Backup folder setting -------------------------------------------------

inline constexpr std::size_t kBackupFolderFileLength = 255;

std::filesystem::path BackupFolderFilePath(const std::filesystem::path& dataDir);

// Reads the backup folder path: the file's first 255 bytes up to the first
// NUL, without trailing blanks. Creates the file as 255 blanks when missing.
Status LoadBackupFolder(const std::filesystem::path& dataDir, std::string* folder);

// Rewrites the file as the path padded with blanks to 255 bytes. A path longer
// than 255 bytes, or holding a NUL or line feed, is refused and nothing is written.
Status SaveBackupFolder(const std::filesystem::path& dataDir, std::string_view folder);

}  // namespace tankora
