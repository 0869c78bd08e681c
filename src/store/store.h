// The four record files of the Data folder and the index of live customers.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/record_layout.h"
#include "store/status.h"
#include "store/store_indexes.h"

namespace tankora {

// Record-number access to one fixed-length record file. The file is opened
// per operation; every write is on disk (fdatasync) before it returns.
class RecordFile final {
 public:
  RecordFile(const RecordLayout& layout, std::filesystem::path path);

  const RecordLayout& Layout() const { return *layout_; }
  const std::filesystem::path& Path() const { return path_; }
  // Whole records in the file; a trailing partial record is not counted, nor
  // a last record that does not end in its line feed (an append cut short).
  int Count() const { return count_; }
  // Bytes after the counted records: a partial record, or one cut short.
  long long TailBytes() const;

  // Creates the file empty when it is missing, then counts its records.
  Status OpenAtStart();
  // Re-reads the count from the file (after a restore or an outside change).
  void Recount();

  // n from 1 to Count(); the record is left unchanged on failure.
  Status ReadRecord(int n, Record& out) const;
  // The same through a descriptor open on the file (RecordReader's).
  Status ReadRecordAt(int fd, int n, Record& out) const;
  // n from 1 to Count()+1, the latter appending. Packs the record first.
  // A trailing partial record is overwritten by an append, never extended;
  // its bytes are kept first (KeepPartialTail).
  Status WriteRecord(int n, Record& record);
  // The whole records of the file as one block (for scans), Count() * length bytes.
  Status ReadAll(std::string& out) const;
  // Visits records 1..Count() in file order, reading the file in large blocks;
  // `visit` returns false to stop early. The image is exactly one record long.
  Status Scan(const std::function<bool(int n, std::string_view image)>& visit) const;

  // A record overwritten in place is first written whole to "<name>.journal"
  // beside the file, its old image with it, and flushed, so a power cut in the
  // middle of the record's own write cannot leave it half old, half new: the
  // next start writes the new image again. A write that fails (and says so)
  // puts the old image back instead, now or at the next settle. The journal
  // is emptied after each write.
  std::filesystem::path JournalPath() const;
  // True when the journal holds anything (an entry left by a crash, or by a
  // write whose roll-back failed too).
  bool JournalPending() const;
  // Settles a pending journal entry: the new image after a crash, the old one
  // after a write that failed in this run; then empties the journal. A torn
  // or foreign journal, or one naming a record the file does not have, is
  // only emptied: its record was never touched, as the journal is on disk
  // before the record is written. Runs at start and before anything that
  // writes, moves or adds records.
  Status SettleJournal();

  // Called after each record this file writes (a write, a settled journal
  // entry) with the record number and its new image: the store's indexes.
  void Watch(std::function<void(int n, std::string_view image)> written) {
    written_ = std::move(written);
  }

 private:
  int WholeRecords(int fd, long long size) const;
  Status Append(std::string_view image);
  Status Overwrite(int n, std::string_view image);
  // Puts the old image of record n back after a failed overwrite.
  void RollBack(int fd, int n, std::string_view old);
  Status WriteJournal(int n, std::string_view oldImage, std::string_view newImage);
  Status ClearJournal();

  const RecordLayout* layout_;
  std::filesystem::path path_;
  int count_ = 0;
  // An overwrite failed in this run and its roll-back did not get through:
  // the journal's entry is to be undone whatever its standing byte says.
  bool rollBackPending_ = false;
  std::function<void(int n, std::string_view image)> written_;
};

// Reads records of one file through one descriptor for as long as it lives,
// so a page of rows drawn from the file opens it once, not once per row.
// Made for the reads of one command: a file replaced meanwhile (the sort, a
// restore) is not seen through it.
class RecordReader final {
 public:
  explicit RecordReader(const RecordFile& file) : file_(file) {}
  ~RecordReader();
  RecordReader(const RecordReader&) = delete;
  RecordReader& operator=(const RecordReader&) = delete;

  // As RecordFile::ReadRecord.
  Status Read(int n, Record& out);

 private:
  const RecordFile& file_;
  int fd_ = -1;
};

// Bytes after the last whole record are no record, but they may be most of
// one: a copy cut short, an editor that dropped the final line feed. Before an
// append writes over them or a sort leaves them out, they are added to the
// file "<name>.partial-<n>" beside it (n: the record they would have been), so
// nothing the file held is lost. Nothing is written when it already ends with
// them.
Status KeepPartialTail(const std::filesystem::path& path, std::string_view tail, int recordNo);
std::filesystem::path PartialTailPath(const std::filesystem::path& path, int recordNo);

// What the list screens select customers on, kept per customer record with
// the readings, so that no selection reads the customer file.
struct KokyakuDigest {
  std::uint16_t tenkenMonths = 0;   // bit m-1: inspection month m marked (not blank)
  std::uint16_t syuukinMonths = 0;  // the same for the collection months
  std::array<char, 6> keiyaku{};     // contract year and month bytes as stored
  std::array<char, 6> keiyakuEnd{};  // contract end year and month bytes
  bool operator==(const KokyakuDigest&) const = default;
  static KokyakuDigest Of(std::string_view image);
};

class Store final {
 public:
  static constexpr int kMaxActive = 2000;

  // dataDir is the Data folder itself; it is created when missing.
  explicit Store(std::filesystem::path dataDir);
  // The files report their writes to this store's indexes.
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;

  const std::filesystem::path& DataDir() const { return dataDir_; }

  // Opens or creates the four files in the order company, customer, slip,
  // ledger, settles their journals, counts them and builds every index (one
  // pass over each file); a customer file out of reading order (a crash
  // between a write and its sort) is sorted. Also what reopens everything
  // after a file was replaced.
  // (BackupFolder.500 is LoadBackupFolder's, which start-up calls.)
  Status Open();
  // For tools that only read (info, export): counts the files that exist and
  // builds the indexes; creates and changes nothing. A missing file counts 0.
  Status OpenReadOnly();

  RecordFile& KokyakuFile() { return kokyaku_; }
  RecordFile& TenkenFile() { return tenken_; }
  RecordFile& KoujiFile() { return kouji_; }
  RecordFile& JisyaFile() { return jisya_; }
  const RecordFile& KokyakuFile() const { return kokyaku_; }
  const RecordFile& TenkenFile() const { return tenken_; }
  const RecordFile& KoujiFile() const { return kouji_; }
  const RecordFile& JisyaFile() const { return jisya_; }
  int KokyakuCount() const { return kokyaku_.Count(); }
  int TenkenCount() const { return tenken_.Count(); }
  int KoujiCount() const { return kouji_.Count(); }
  int JisyaCount() const { return jisya_.Count(); }

  // For the start-up notice: which record files end in a partial record, and
  // that its bytes are kept before they are written over. Empty when none does.
  std::string PartialTailNotice() const;

  // Record numbers (1-based) of live customers in list order.
  const std::vector<int>& ActiveIndex() const { return active_; }
  int ActiveCount() const { return static_cast<int>(active_.size()); }

  // The live slips whose 20-byte KokyakuName is `name20`, ascending record
  // numbers (the newest stored last).
  std::span<const int> TenkenOfName(std::string_view name20) const {
    return slipsByName_.Of(name20);
  }
  // The live slips dated westernYear/month (blanks in the stored year and
  // month read as "0"), ascending; none for a month outside 1..12.
  std::span<const int> TenkenOfMonth(int westernYear, int month) const;
  // The newest (largest-numbered) live ledger entry whose 20-byte name is
  // `name20`, or 0.
  int KoujiNewest(std::string_view name20) const;
  // The first listed live customer whose 20-byte name is `name20`, or 0.
  int KokyakuOfName(std::string_view name20) const;
  // Every customer record whose 20-byte name is `name20`, deleted ones too,
  // ascending record numbers.
  std::span<const int> KokyakuOfNameAll(std::string_view name20) const {
    return kokyakuAnyByName_.Of(name20);
  }
  // Customer record n's 4 reading bytes as the sort compares them (the first
  // the most significant), and whether it is live (its flag is not "1").
  std::uint32_t KokyakuReading(int n) const;
  bool KokyakuLive(int n) const;
  // Customer record n's digest (1..KokyakuCount(); a blank one otherwise) and
  // its 20-byte name when it is live ("" otherwise; valid until the next write).
  const KokyakuDigest& KokyakuDigestOf(int n) const;
  std::string_view KokyakuNameOf(int n) const { return kokyakuByName_.KeyOfRecord(n); }
  // The indexes themselves, for checks against the files.
  const KeyIndex& TenkenNameIndex() const { return slipsByName_; }
  const KeyIndex& TenkenMonthIndex() const { return slipsByMonth_; }
  const KeyIndex& KoujiNameIndex() const { return koujiByName_; }
  const KeyIndex& KokyakuNameIndex() const { return kokyakuByName_; }
  const KeyIndex& KokyakuAnyNameIndex() const { return kokyakuAnyByName_; }

  // Writes customer n (1..count+1). Refused with TooManyCustomers, nothing
  // written, when it would bring a record to life beyond kMaxActive live ones.
  // The indexes follow the write; the list order needs the sort. Customer writes
  // must come through here (not KokyakuFile().WriteRecord) for the limit to hold.
  Status WriteKokyaku(int n, Record& record);

  // Settles the journals of all four files (a write cut short by a crash is
  // finished, one that failed is undone), so that each file stands whole on
  // its own. Whatever replaces a record file from outside the store (a
  // restore) calls this first: a journal entry left behind would otherwise be
  // applied to the new file at the next write or start. Open runs it too.
  Status FinishPendingWrites();

  // Orders the live customers by their 4-byte reading exactly as the
  // historical exchange sort leaves them, computed in memory; the file is
  // replaced through a new file and a rename. The order is computed from the
  // readings held in memory, so when nothing moves nothing is read or written.
  Status KokyakuSortAndIndex();
  // Rebuilds the customer indexes from the file in file order (no sort).
  Status RebuildIndex();
  // Rebuilds every index from the files (after they changed behind the store).
  Status RebuildAllIndexes();

  // The first listed customer whose 20-byte name equals `name20` (blank-padded
  // to 20 bytes before comparing); its record number, or 0. Reads it into `out`
  // (the only record read).
  int KokyakuFind(std::string_view name, Record* out = nullptr) const;

  // Test hook: called at named points of multi-step writes ("sort:before-rename");
  // returning false makes the operation fail there as if the disk had.
  static void SetFaultHook(std::function<bool(std::string_view point)> hook);

 private:
  std::filesystem::path dataDir_;
  RecordFile jisya_;
  RecordFile kokyaku_;
  RecordFile tenken_;
  RecordFile kouji_;

  // A customer record written: the indexes follow, and the file's stamp.
  void KokyakuWritten(int n, std::string_view image);
  // The indexes alone (a build from the file stamps once at its end).
  void KokyakuPut(int n, std::string_view image);
  void ReserveKokyaku(int records);
  void ClearKokyakuIndexes();
  // Fills the customer indexes from whole records in file order.
  void KokyakuIndexFrom(std::string_view images);

  std::vector<int> active_;
  KeyIndex slipsByName_{index_keys::SlipName};
  KeyIndex slipsByMonth_{index_keys::SlipYearMonth};
  KeyIndex koujiByName_{index_keys::KoujiName};
  KeyIndex kokyakuByName_{index_keys::KokyakuName};
  KeyIndex kokyakuAnyByName_{index_keys::KokyakuNameAny};
  // Per customer record: its 4 reading bytes as the sort compares them, and
  // whether it takes part in the sort (is live).
  std::vector<std::uint32_t> kanaKeys_;
  std::vector<char> kanaLive_;
  std::vector<KokyakuDigest> digests_;
  // The customer file as it stood after the store's last write or read of
  // it (size, change time, inode): a file changed behind the store is read
  // again before the sort trusts the readings above.
  struct Stamp {
    long long size = -1, changed = 0, inode = 0;
    bool operator==(const Stamp&) const = default;
  };
  Stamp KokyakuStamp() const;
  Stamp kokyakuStamp_;
};

}  // namespace tankora
