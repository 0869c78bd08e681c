#include "store/company.h"

#include "store/file_io.h"

namespace tankora {

int JisyaFieldOf(CompanyField field) {
  switch (field) {
    case CompanyField::Teisyutusaki:
      return Jisya::Teisyutusaki;
    case CompanyField::Address:
      return Jisya::Address;
    case CompanyField::KaisyaName:
      return Jisya::KaisyaName;
    case CompanyField::Name:
      return Jisya::Name;
    case CompanyField::Tel:
      return Jisya::Tel;
    case CompanyField::TopMargine:
      return Jisya::TopMargine;
    case CompanyField::LeftMargine:
      return Jisya::LeftMargine;
  }
  return Jisya::Teisyutusaki;
}

Company::Company(RecordFile& file) : file_(&file), record_(JisyaLayout()) {}

Status Company::Load() {
  record_.Clear();
  file_->Recount();
  if (file_->Count() >= 1) return file_->ReadRecord(1, record_);
  // A company file cut short (a copy that lost its end, an editor that
  // dropped the final line feed) still holds the profile in the bytes it
  // has. Loaded as blank, the profile would be saved blank over them at the
  // next close.
  std::string bytes;
  Status read = fileio::ReadFile(file_->Path(), bytes, true);
  if (!read) return read;
  if (!bytes.empty()) record_.Unpack(bytes);
  return Status::Ok();
}

Status Company::Save() {
  // A whole record 1 is overwritten in place through the store's journal: a
  // crash during the write is finished at the next start, and nothing else
  // in the file moves.
  file_->Recount();
  if (file_->Count() >= 1) return file_->WriteRecord(1, record_);
  // A file shorter than one record is no record file yet: it is rewritten
  // whole, with the profile as record 1.
  std::string bytes;
  Status read = fileio::ReadFile(file_->Path(), bytes, true);
  if (!read) return read;
  const std::string_view image = record_.Pack();
  if (bytes.size() < image.size()) bytes.assign(image.size(), ' ');
  bytes.replace(0, image.size(), image);
  Status written = fileio::ReplaceFile(file_->Path(), bytes, "company");
  file_->Recount();
  return written;
}

std::string_view Company::Get(CompanyField field) const { return record_.Get(JisyaFieldOf(field)); }

void Company::Set(CompanyField field, std::string_view value) {
  record_.Set(JisyaFieldOf(field), value);
}

std::filesystem::path BackupFolderFilePath(const std::filesystem::path& dataDir) {
  return dataDir / "BackupFolder.500";
}

Status LoadBackupFolder(const std::filesystem::path& dataDir, std::string* folder) {
  folder->clear();
  const std::filesystem::path path = BackupFolderFilePath(dataDir);
  std::string bytes;
  Status read = fileio::ReadFile(path, bytes, true);
  if (!read) return read;
  if (fileio::FileSize(path) < 0) {
    return fileio::ReplaceFile(path, std::string(kBackupFolderFileLength, ' '), "backup-folder");
  }
  bytes.resize(std::min(bytes.size(), kBackupFolderFileLength));
  bytes.resize(std::min(bytes.find('\0'), bytes.size()));
  // Only the padding goes: a blank inside the path (a mount point named
  // "USB DISK") is part of it.
  while (!bytes.empty() && (bytes.back() == ' ' || bytes.back() == '\n' || bytes.back() == '\r')) {
    bytes.pop_back();
  }
  *folder = std::move(bytes);
  return Status::Ok();
}

Status SaveBackupFolder(const std::filesystem::path& dataDir, std::string_view folder) {
  const std::filesystem::path path = BackupFolderFilePath(dataDir);
  if (folder.size() > kBackupFolderFileLength) {
    return Status::Fail(StoreError::OutOfRange,
                        "バックアップ先のパスが長すぎます (the backup folder path has " +
                            std::to_string(folder.size()) + " bytes; at most " +
                            std::to_string(kBackupFolderFileLength) + " fit)");
  }
  if (folder.find_first_of(std::string_view("\0\n", 2)) != std::string_view::npos) {
    return Status::Fail(StoreError::OutOfRange,
                        "the backup folder path holds a NUL or line feed and cannot be kept");
  }
  std::string bytes(folder);
  bytes.resize(kBackupFolderFileLength, ' ');
  return fileio::ReplaceFile(path, bytes, "backup-folder");
}

}  // namespace tankora
