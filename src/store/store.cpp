#include "store/store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <numeric>

#include "store/data_folder.h"
#include "store/file_io.h"
#include "util/fixed_text.h"

namespace tankora {

namespace {

using fileio::CloseFd;
using fileio::Failure;
using fileio::OpenFd;

// Records read per block by Scan: large enough that a 100,000-slip file takes
// a few dozen reads, small enough to stay in the cache.
constexpr std::size_t kScanBlockBytes = 256 * 1024;

// The customer sort key: the 4 reading bytes, compared as unsigned bytes.
std::uint32_t KanaKey(const char* record) {
  const auto* p = reinterpret_cast<const unsigned char*>(record + 1);
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
         std::uint32_t{p[3]};
}

// Where each record goes under the customer file's exchange sort: result[i] is
// the old position of the record that ends at position i. The walk is the
// historical one, comparison for comparison, so equal readings end in the same
// relative order the on-disk sort leaves them in and deleted records stay put.
// A record takes part when it is not deleted, i.e. its first byte is not "1"
// (the same rule the index uses; a stray flag byte such as "X" is live).
std::vector<int> ExchangeSortOrder(std::vector<std::uint32_t> keys, const std::vector<char>& live) {
  const std::size_t n = keys.size();
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (!live[i]) continue;
    std::uint32_t keyA = keys[i];
    for (std::size_t k = i + 1; k < n; ++k) {
      if (!live[k] || keyA <= keys[k]) continue;
      // Exchange: position i takes B, position k takes A; A is now the old B.
      const std::uint32_t keyB = keys[k];
      std::swap(order[i], order[k]);
      keys[k] = keyA;
      keys[i] = keyB;
      keyA = keyB;
    }
  }
  return order;
}

std::vector<int> ExchangeSortOrder(std::string_view image, std::size_t length) {
  const std::size_t n = image.size() / length;
  std::vector<std::uint32_t> keys(n);
  std::vector<char> live(n);
  for (std::size_t i = 0; i < n; ++i) {
    const char* rec = image.data() + i * length;
    keys[i] = KanaKey(rec);
    live[i] = rec[0] != '1';
  }
  return ExchangeSortOrder(std::move(keys), live);
}

// The exchange sort moves a record exactly when some live record comes after
// a live one with a larger reading; so with the live readings already in
// order it moves nothing.
bool InOrder(const std::vector<std::uint32_t>& keys, const std::vector<char>& live) {
  bool seen = false;
  std::uint32_t last = 0;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (!live[i]) continue;
    if (seen && keys[i] < last) return false;
    last = keys[i];
    seen = true;
  }
  return true;
}

bool Moves(const std::vector<int>& order) {
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] != static_cast<int>(i)) return true;
  }
  return false;
}

// The journal entry of an in-place write: a tag, which image stands (one
// byte), the record number, the image length, the record's old image and its
// new one, and a checksum over all but the standing byte, so that an entry
// cut short by a crash is recognised and never applied.
//
// An entry is written standing on the new image: a crash before the record
// is on disk finishes the write at the next start (the user was never told
// either way). When the write fails in this run the user is told it failed,
// so the byte is turned to the old image (one byte cannot be torn) and the
// old image written back; should that fail too, whatever settles the journal
// next (the next write, the next start) puts the old record back, never the
// one the screen said was not stored.
constexpr std::string_view kJournalTag = "TKJ2";
constexpr std::size_t kJournalStandsAt = 4;
constexpr char kStandsNew = 'N';
constexpr char kStandsOld = 'O';
constexpr std::size_t kJournalHead = 4 + 1 + 10 + 10;
constexpr std::size_t kJournalSum = 8;

std::uint32_t Fnv1a(std::string_view bytes, std::uint32_t h = 2166136261u) {
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 16777619u;
  }
  return h;
}

std::uint32_t JournalSum(std::string_view body) {
  return Fnv1a(body.substr(kJournalStandsAt + 1), Fnv1a(body.substr(0, kJournalStandsAt)));
}

std::string JournalEntry(int n, std::string_view oldImage, std::string_view newImage) {
  char head[32];
  std::snprintf(head, sizeof head, "%c%010d%010zu", kStandsNew, n, newImage.size());
  std::string entry(kJournalTag);
  entry += head;
  entry += oldImage;
  entry += newImage;
  char sum[16];
  std::snprintf(sum, sizeof sum, "%08x", JournalSum(entry));
  entry += sum;
  return entry;
}

struct JournalView {
  long long n = 0;  // 0: not a whole entry of this file's records
  bool standsOld = false;
  std::string_view oldImage, newImage;
};

JournalView ParseJournal(std::string_view entry, std::size_t length) {
  JournalView none;
  if (entry.size() != kJournalHead + 2 * length + kJournalSum) return none;
  if (entry.substr(0, kJournalTag.size()) != kJournalTag) return none;
  const char stands = entry[kJournalStandsAt];
  if (stands != kStandsNew && stands != kStandsOld) return none;
  const std::string_view body = entry.substr(0, kJournalHead + 2 * length);
  char text[32];
  std::snprintf(text, sizeof text, "%08x", JournalSum(body));
  if (entry.substr(body.size()) != std::string_view(text, kJournalSum)) return none;
  std::snprintf(text, sizeof text, "%010zu", length);
  if (entry.substr(15, 10) != std::string_view(text, 10)) return none;
  // Ten digits may name more records than an int holds: read them wide, and
  // let the caller hold the number against the file.
  long long n = 0;
  for (const char c : entry.substr(5, 10)) {
    if (c < '0' || c > '9') return none;
    n = n * 10 + (c - '0');
  }
  return {n, stands == kStandsOld, entry.substr(kJournalHead, length),
          entry.substr(kJournalHead + length, length)};
}

}  // namespace

Status KeepPartialTail(const std::filesystem::path& path, std::string_view tail, int recordNo) {
  if (tail.empty()) return Status::Ok();
  const std::filesystem::path kept = PartialTailPath(path, recordNo);
  // A write that failed after keeping the tail leaves it in the file too;
  // the next try must not keep it twice.
  std::string already;
  if (fileio::ReadFile(kept, already, true) && already.size() >= tail.size() &&
      std::string_view(already).substr(already.size() - tail.size()) == tail) {
    return Status::Ok();
  }
  const int fd = OpenFd(kept, O_WRONLY | O_CREAT | O_APPEND);
  if (fd < 0) {
    return Failure(StoreError::WriteFailed, "cannot keep the partial record at the end of " +
                                                path.filename().string() + " in",
                   kept, errno);
  }
  const bool written = fileio::PWriteAll(fd, tail, 0) && ::fdatasync(fd) == 0;
  const int err = errno;
  CloseFd(fd);
  if (!written) {
    return Failure(StoreError::WriteFailed, "cannot keep the partial record at the end of " +
                                                path.filename().string() + " in",
                   kept, err);
  }
  return fileio::SyncDirectory(path.parent_path());
}

std::filesystem::path PartialTailPath(const std::filesystem::path& path, int recordNo) {
  std::filesystem::path kept = path;
  kept += ".partial-" + std::to_string(recordNo);
  return kept;
}

// ---------------------------------------------------------------------------
// RecordFile

RecordFile::RecordFile(const RecordLayout& layout, std::filesystem::path path)
    : layout_(&layout), path_(std::move(path)) {}

Status RecordFile::OpenAtStart() {
  count_ = 0;
  struct stat st {};
  if (::stat(path_.c_str(), &st) == 0) {
    const int fd = OpenFd(path_, O_RDONLY);
    if (fd < 0) return Failure(StoreError::CannotOpen, "cannot open", path_, errno);
    count_ = WholeRecords(fd, st.st_size);
    CloseFd(fd);
    return SettleJournal();
  }
  if (errno != ENOENT) return Failure(StoreError::CannotOpen, "cannot look at", path_, errno);
  // A journal left without its file is settled too (its entry names no
  // record now, so it is only emptied), and one that is no file is refused.
  if (Status settled = SettleJournal(); !settled) return settled;
  const int fd = OpenFd(path_, O_WRONLY | O_CREAT | O_EXCL);
  if (fd < 0) return Failure(StoreError::CannotOpen, "cannot create", path_, errno);
  const bool synced = fileio::Sync(fd);
  const int err = errno;
  (void)fileio::CloseWritten(fd);
  if (!synced) return Failure(StoreError::WriteFailed, "cannot flush", path_, err);
  return fileio::SyncDirectory(path_.parent_path());
}

void RecordFile::Recount() {
  count_ = 0;
  const int fd = OpenFd(path_, O_RDONLY);
  if (fd < 0) return;
  struct stat st {};
  if (::fstat(fd, &st) == 0) count_ = WholeRecords(fd, st.st_size);
  CloseFd(fd);
}

long long RecordFile::TailBytes() const {
  const long long size = fileio::FileSize(path_);
  const long long whole = static_cast<long long>(count_) * static_cast<long long>(layout_->RecordLength());
  return size > whole ? size - whole : 0;
}

namespace {

// Whether the byte at `offset` is the line feed that ends every record. A
// byte that cannot be read is taken as one: only a byte seen to be wrong
// makes a record cut short.
bool EndsRecordAt(int fd, long long offset) {
  char c = '\n';
  return !fileio::PReadAll(fd, &c, 1, offset) || c == '\n';
}

}  // namespace

int RecordFile::WholeRecords(int fd, long long size) const {
  const long long length = static_cast<long long>(layout_->RecordLength());
  long long n = size / length;
  // A power cut during an append can leave the file a whole record longer
  // with nothing in it (zeros, where the file system had reserved the space
  // but not written it, or whatever the blocks held before). A last record
  // that does not end in its line feed was cut short: it is no record, and is
  // kept aside like any partial record before the next append. The rule
  // looks at that record alone, so that no write elsewhere in the file can
  // change what it counts.
  if (n >= 1 && !EndsRecordAt(fd, n * length - 1)) --n;
  return static_cast<int>(n);
}

Status RecordFile::ReadRecord(int n, Record& out) const {
  RecordReader reader(*this);
  return reader.Read(n, out);
}

Status RecordFile::ReadRecordAt(int fd, int n, Record& out) const {
  if (n < 1 || n > count_) {
    return Status::Fail(StoreError::OutOfRange, "record " + std::to_string(n) + " of " +
                                                    path_.string() + " is not in 1.." +
                                                    std::to_string(count_));
  }
  const std::size_t length = layout_->RecordLength();
  std::string image(length, ' ');
  if (!fileio::PReadAll(fd, image.data(), length,
                        static_cast<long long>(n - 1) * static_cast<long long>(length))) {
    return Failure(StoreError::CannotOpen, "cannot read record " + std::to_string(n) + " of", path_,
                   errno);
  }
  out.Unpack(image);
  return Status::Ok();
}

RecordReader::~RecordReader() {
  if (fd_ >= 0) CloseFd(fd_);
}

Status RecordReader::Read(int n, Record& out) {
  // A number out of range is refused before anything is opened.
  if (n < 1 || n > file_.Count()) return file_.ReadRecordAt(-1, n, out);
  if (fd_ < 0) {
    fd_ = OpenFd(file_.Path(), O_RDONLY);
    if (fd_ < 0) return Failure(StoreError::CannotOpen, "cannot open", file_.Path(), errno);
  }
  return file_.ReadRecordAt(fd_, n, out);
}

Status RecordFile::WriteRecord(int n, Record& record) {
  if (n < 1 || n > count_ + 1) {
    return Status::Fail(StoreError::OutOfRange, "record " + std::to_string(n) + " of " +
                                                    path_.string() + " is not in 1.." +
                                                    std::to_string(count_ + 1));
  }
  const std::string_view image = record.Pack();
  if (!fileio::PassFaultPoint("record:write")) {
    return Failure(StoreError::WriteFailed,
                   "injected failure writing record " + std::to_string(n) + " of", path_, EIO);
  }
  // A pending entry is settled first: the next entry would overwrite it, and
  // an append must not grow the file around a torn record.
  if (Status settled = SettleJournal(); !settled) return settled;
  return n == count_ + 1 ? Append(image) : Overwrite(n, image);
}

Status RecordFile::Append(std::string_view image) {
  const int n = count_ + 1;
  const int fd = OpenFd(path_, O_WRONLY);
  if (fd < 0) return Failure(StoreError::CannotOpen, "cannot open", path_, errno);
  const long long offset =
      static_cast<long long>(count_) * static_cast<long long>(layout_->RecordLength());
  struct stat st {};
  const long long sizeBefore = ::fstat(fd, &st) == 0 ? st.st_size : offset;
  if (sizeBefore > offset) {
    std::string tail;
    Status kept = fileio::ReadFile(path_, tail);
    if (kept && tail.size() > static_cast<std::size_t>(offset)) {
      kept = KeepPartialTail(path_, std::string_view(tail).substr(static_cast<std::size_t>(offset)),
                             n);
    }
    if (!kept) {
      CloseFd(fd);
      return kept;
    }
  }
  const long long end = offset + static_cast<long long>(image.size());
  // Bytes past the new record (a record cut short and more) were kept aside
  // with the rest of the tail; they must not follow it as a new partial one.
  if (!fileio::PWriteAll(fd, image, offset) ||
      (sizeBefore > end && !fileio::Truncate(fd, end)) || !fileio::DataSync(fd)) {
    const int err = errno;
    // A failed append may have left part of a record at the end: cut it off so
    // the file stays whole records (bytes past the last whole record, such as
    // a partial record left by a cut copy, are not data and were kept aside).
    (void)fileio::Truncate(fd, std::min(sizeBefore, offset));
    (void)fileio::DataSync(fd);
    CloseFd(fd);
    return Failure(StoreError::WriteFailed, "cannot write record " + std::to_string(n) + " of",
                   path_, err);
  }
  (void)fileio::CloseWritten(fd);
  ++count_;
  if (written_) written_(n, image);
  return Status::Ok();
}

Status RecordFile::Overwrite(int n, std::string_view image) {
  const std::string where = "record " + std::to_string(n) + " of";
  const int fd = OpenFd(path_, O_RDWR);
  if (fd < 0) return Failure(StoreError::CannotOpen, "cannot open", path_, errno);
  const long long offset =
      static_cast<long long>(n - 1) * static_cast<long long>(layout_->RecordLength());
  std::string old(layout_->RecordLength(), ' ');
  if (!fileio::PReadAll(fd, old.data(), old.size(), offset)) {
    const int err = errno;
    CloseFd(fd);
    return Failure(StoreError::CannotOpen, "cannot read " + where, path_, err);
  }
  if (old == image) {
    CloseFd(fd);
    return Status::Ok();
  }
  Status st = WriteJournal(n, old, image);
  if (st && !fileio::PassFaultPoint("record:after-journal")) {
    st = Failure(StoreError::WriteFailed, "injected failure writing " + where, path_, EIO);
  }
  if (st) {
    if (fileio::PWriteAll(fd, image, offset) && fileio::DataSync(fd)) {
      (void)fileio::CloseWritten(fd);
      // The record is on disk. Should emptying the journal fail (twice), its
      // entry stands on this same image, and applying it again changes nothing.
      if (!ClearJournal()) (void)ClearJournal();
      if (written_) written_(n, image);
      return Status::Ok();
    }
    st = Failure(StoreError::WriteFailed, "cannot write " + where, path_, errno);
  }
  // Reported as failed, so it must not happen later either.
  RollBack(fd, n, old);
  CloseFd(fd);
  return st;
}

void RecordFile::RollBack(int fd, int n, std::string_view old) {
  rollBackPending_ = true;
  const std::filesystem::path journal = JournalPath();
  if (fileio::FileSize(journal) > 0) {
    const int jfd = OpenFd(journal, O_WRONLY);
    if (jfd >= 0) {
      const char stands = kStandsOld;
      if (fileio::PWriteAll(jfd, std::string_view(&stands, 1), kJournalStandsAt)) {
        (void)fileio::DataSync(jfd);
      }
      (void)fileio::CloseWritten(jfd);
    }
  }
  const long long offset =
      static_cast<long long>(n - 1) * static_cast<long long>(layout_->RecordLength());
  if (fileio::PWriteAll(fd, old, offset) && fileio::DataSync(fd) && ClearJournal()) {
    rollBackPending_ = false;
  }
}

std::filesystem::path RecordFile::JournalPath() const {
  std::filesystem::path journal = path_;
  journal += ".journal";
  return journal;
}

bool RecordFile::JournalPending() const { return fileio::FileSize(JournalPath()) > 0; }

Status RecordFile::WriteJournal(int n, std::string_view oldImage, std::string_view newImage) {
  const std::filesystem::path journal = JournalPath();
  const bool existed = fileio::FileSize(journal) >= 0;
  const int fd = OpenFd(journal, O_WRONLY | O_CREAT);
  if (fd < 0) return Failure(StoreError::WriteFailed, "cannot open", journal, errno);
  const std::string entry = JournalEntry(n, oldImage, newImage);
  const bool ok = fileio::PWriteAll(fd, entry, 0) &&
                  fileio::Truncate(fd, static_cast<long long>(entry.size())) &&
                  fileio::DataSync(fd);
  const int err = errno;
  (void)fileio::CloseWritten(fd);
  if (!ok) {
    // The entry may be whole all the same; the caller rolls it back.
    return Failure(StoreError::WriteFailed, "cannot write", journal, err);
  }
  return existed ? Status::Ok() : fileio::SyncDirectory(journal.parent_path());
}

Status RecordFile::ClearJournal() {
  const std::filesystem::path journal = JournalPath();
  if (fileio::FileSize(journal) <= 0) return Status::Ok();
  const int fd = OpenFd(journal, O_WRONLY);
  if (fd < 0) return Failure(StoreError::WriteFailed, "cannot open", journal, errno);
  const bool ok = fileio::Truncate(fd, 0) && fileio::DataSync(fd);
  const int err = errno;
  (void)fileio::CloseWritten(fd);
  return ok ? Status::Ok() : Failure(StoreError::WriteFailed, "cannot empty", journal, err);
}

Status RecordFile::SettleJournal() {
  const std::filesystem::path journal = JournalPath();
  const long long size = fileio::FileSize(journal);
  if (size < 0 && errno != ENOENT) {
    return Failure(StoreError::CannotOpen, "cannot use the journal", journal, errno);
  }
  if (size <= 0) {
    rollBackPending_ = false;
    return Status::Ok();
  }
  std::string entry;
  if (Status read = fileio::ReadFile(journal, entry, true); !read) return read;
  const JournalView j = ParseJournal(entry, layout_->RecordLength());
  // The record is held against the records the file holds whole; the last of
  // them may be the one the entry repairs, not counted while it is torn.
  const long long held =
      std::max(fileio::FileSize(path_), 0LL) / static_cast<long long>(layout_->RecordLength());
  if (j.n >= 1 && j.n <= held && j.n <= count_ + 1) {
    const int n = static_cast<int>(j.n);
    // A write that failed in this run stays undone even when the byte saying
    // so never reached the journal.
    const std::string_view image = j.standsOld || rollBackPending_ ? j.oldImage : j.newImage;
    const int fd = OpenFd(path_, O_WRONLY);
    if (fd < 0) return Failure(StoreError::CannotOpen, "cannot open", path_, errno);
    const long long offset =
        static_cast<long long>(n - 1) * static_cast<long long>(layout_->RecordLength());
    const bool ok = fileio::PWriteAll(fd, image, offset) && fileio::DataSync(fd);
    const int err = errno;
    (void)fileio::CloseWritten(fd);
    if (!ok) {
      return Failure(StoreError::WriteFailed,
                     "cannot finish the interrupted write of record " + std::to_string(n) + " of",
                     path_, err);
    }
    Recount();
    if (written_) written_(n, image);
  }
  Status cleared = ClearJournal();
  if (cleared) rollBackPending_ = false;
  return cleared;
}

Status RecordFile::ReadAll(std::string& out) const {
  Status read = fileio::ReadFile(path_, out);
  // Whole records only, and none that came after the count (the file may
  // have changed behind our back).
  const std::size_t length = layout_->RecordLength();
  out.resize(std::min(static_cast<std::size_t>(count_), out.size() / length) * length);
  return read;
}

Status RecordFile::Scan(const std::function<bool(int n, std::string_view image)>& visit) const {
  const std::size_t length = layout_->RecordLength();
  if (count_ == 0) return Status::Ok();
  const int fd = OpenFd(path_, O_RDONLY);
  if (fd < 0) return Failure(StoreError::CannotOpen, "cannot open", path_, errno);
  const std::size_t perBlock = std::max<std::size_t>(1, kScanBlockBytes / length);
  std::string block(perBlock * length, ' ');
  int n = 1;
  Status result = Status::Ok();
  while (n <= count_) {
    const std::size_t want = std::min(perBlock, static_cast<std::size_t>(count_ - n + 1));
    const ssize_t got =
        ::pread(fd, block.data(), want * length,
                static_cast<off_t>(static_cast<long long>(n - 1) * static_cast<long long>(length)));
    if (got < 0) {
      if (errno == EINTR) continue;
      result = Failure(StoreError::CannotOpen, "cannot read", path_, errno);
      break;
    }
    const std::size_t records = static_cast<std::size_t>(got) / length;
    if (records == 0) break;  // the file is shorter than counted: stop at its end
    bool more = true;
    for (std::size_t r = 0; r < records && more; ++r, ++n) {
      more = visit(n, std::string_view(block.data() + r * length, length));
    }
    if (!more) break;
  }
  CloseFd(fd);
  return result;
}

// ---------------------------------------------------------------------------
// Store

Store::Store(std::filesystem::path dataDir)
    : dataDir_(std::move(dataDir)),
      jisya_(JisyaLayout(), dataDir_ / "Jisya.120"),
      kokyaku_(KokyakuLayout(), dataDir_ / "Kokyaku.120"),
      tenken_(TenkenDenpLayout(), dataDir_ / "TenkenDenp.120"),
      kouji_(KoujiLayout(), dataDir_ / "Kouji.120") {
  kokyaku_.Watch([this](int n, std::string_view image) { KokyakuWritten(n, image); });
  tenken_.Watch([this](int n, std::string_view image) {
    slipsByName_.Put(n, image);
    slipsByMonth_.Put(n, image);
  });
  kouji_.Watch([this](int n, std::string_view image) { koujiByName_.Put(n, image); });
}

Status Store::Open() {
  active_.clear();
  if (Status folder = EnsureDataFolder(dataDir_); !folder) return folder;
  Status first = Status::Ok();
  auto keep = [&first](Status s) {
    if (!s && first) first = std::move(s);
  };

  // The company file starts life holding one blank record, so the report
  // headers come up empty and the profile always has its record 1.
  if (fileio::FileSize(jisya_.Path()) < 0 && errno == ENOENT) {
    Record blank(JisyaLayout());
    keep(fileio::ReplaceFile(jisya_.Path(), blank.Pack(), "jisya"));
  }
  keep(jisya_.OpenAtStart());
  keep(kokyaku_.OpenAtStart());
  keep(tenken_.OpenAtStart());
  keep(kouji_.OpenAtStart());

  // A replacement cut short by a crash leaves its new file behind (beside the
  // file a link names); the old file is whole.
  for (const std::filesystem::path& replaced :
       {kokyaku_.Path(), jisya_.Path(), dataDir_ / "BackupFolder.500"}) {
    std::filesystem::path stale = fileio::ResolveLinks(replaced);
    stale += ".tmp";
    (void)fileio::Remove(stale);
  }

  keep(RebuildAllIndexes());
  // A crash between a customer's write and the sort after it leaves the file
  // out of reading order, and the list would show file order until the next
  // write. The sort is as crash-safe as ever; should it fail, the list
  // shows file order and the notice says so: the system's bare reason
  // ("cannot create ….tmp") would not tell the office what did not happen.
  if (!InOrder(kanaKeys_, kanaLive_)) {
    if (Status sorted = KokyakuSortAndIndex(); !sorted) {
      keep(Status::Fail(sorted.error,
                        "顧客一覧を読み（かな）の順に並べられませんでした。ファイルの順に表示します: " +
                            sorted.detail));
    }
  }
  return first;
}

namespace {

Status CannotRead(const char* what, const std::filesystem::path& path, int err) {
  return Status::Fail(StoreError::CannotOpen, std::string(what) + "を読めません: " + path.string() +
                                                  " (cannot read: " + fileio::ErrnoText(err) + ")");
}

}  // namespace

Status Store::OpenReadOnly() {
  jisya_.Recount();
  kokyaku_.Recount();
  tenken_.Recount();
  kouji_.Recount();
  active_.clear();
  std::error_code ec;
  if (!std::filesystem::is_directory(dataDir_, ec)) {
    if (ec && ec != std::errc::no_such_file_or_directory) {
      return CannotRead("データフォルダ", dataDir_, ec.value());
    }
    return Status::Fail(StoreError::CannotOpen, "no data folder at " + dataDir_.string());
  }
  // A folder or file this user may not read looks empty or missing; counted
  // as such, the office would seem to have nothing in it. (A folder that
  // may be passed but not listed is fine: the files are reached by name.)
  for (const RecordFile* file : {&jisya_, &kokyaku_, &tenken_, &kouji_}) {
    struct stat st {};
    if (::stat(file->Path().c_str(), &st) != 0) {
      if (errno == ENOENT) continue;
      return CannotRead(errno == EACCES ? "データフォルダ" : "ファイル",
                        errno == EACCES ? dataDir_ : file->Path(), errno);
    }
    const int fd = OpenFd(file->Path(), O_RDONLY);
    if (fd < 0) {
      return CannotRead("ファイル", file->Path(), errno);
    }
    CloseFd(fd);
  }
  return RebuildAllIndexes();
}

Status Store::RebuildAllIndexes() {
  Status first = RebuildIndex();
  slipsByName_.Clear();
  slipsByMonth_.Clear();
  koujiByName_.Clear();
  tenken_.Recount();
  kouji_.Recount();
  slipsByName_.Reserve(tenken_.Count());
  slipsByMonth_.Reserve(tenken_.Count());
  koujiByName_.Reserve(kouji_.Count());
  // One pass over each file.
  Status slips = tenken_.Scan([this](int, std::string_view image) {
    slipsByName_.Add(image);
    slipsByMonth_.Add(image);
    return true;
  });
  Status ledger = kouji_.Scan([this](int, std::string_view image) {
    koujiByName_.Add(image);
    return true;
  });
  for (KeyIndex* index : {&slipsByName_, &slipsByMonth_, &koujiByName_}) index->Finish();
  if (first) first = slips;
  if (first) first = ledger;
  return first;
}

void Store::KokyakuWritten(int n, std::string_view image) {
  KokyakuPut(n, image);
  kokyakuStamp_ = KokyakuStamp();
}

void Store::KokyakuPut(int n, std::string_view image) {
  if (n < 1 || n > static_cast<int>(kanaKeys_.size()) + 1) return;
  kokyakuByName_.Put(n, image);
  kokyakuAnyByName_.Put(n, image);
  const bool live = image[0] != '1';
  if (n == static_cast<int>(kanaKeys_.size()) + 1) {
    kanaKeys_.push_back(0);
    kanaLive_.push_back(0);
    digests_.emplace_back();
  }
  kanaKeys_[static_cast<std::size_t>(n - 1)] = KanaKey(image.data());
  kanaLive_[static_cast<std::size_t>(n - 1)] = live;
  digests_[static_cast<std::size_t>(n - 1)] = KokyakuDigest::Of(image);
  // Appended records (the whole build) go at the end of the list.
  if (live && (active_.empty() || active_.back() < n)) {
    active_.push_back(n);
    return;
  }
  const auto at = std::lower_bound(active_.begin(), active_.end(), n);
  const bool listed = at != active_.end() && *at == n;
  if (live && !listed) active_.insert(at, n);
  if (!live && listed) active_.erase(at);
}

void Store::ClearKokyakuIndexes() {
  active_.clear();
  kokyakuByName_.Clear();
  kokyakuAnyByName_.Clear();
  kanaKeys_.clear();
  kanaLive_.clear();
  digests_.clear();
}

void Store::KokyakuIndexFrom(std::string_view images) {
  const std::size_t length = kokyaku_.Layout().RecordLength();
  ClearKokyakuIndexes();
  const std::size_t records = images.size() / length;
  ReserveKokyaku(static_cast<int>(records));
  for (std::size_t i = 0; i < records; ++i) {
    KokyakuPut(static_cast<int>(i) + 1, images.substr(i * length, length));
  }
}

Status Store::RebuildIndex() {
  ClearKokyakuIndexes();
  kokyaku_.Recount();
  ReserveKokyaku(kokyaku_.Count());
  Status s = kokyaku_.Scan([this](int n, std::string_view image) {
    KokyakuPut(n, image);
    return true;
  });
  kokyakuStamp_ = KokyakuStamp();
  return s;
}

void Store::ReserveKokyaku(int records) {
  const auto n = static_cast<std::size_t>(std::max(records, 0));
  kokyakuByName_.Reserve(records);
  kokyakuAnyByName_.Reserve(records);
  kanaKeys_.reserve(n);
  kanaLive_.reserve(n);
  digests_.reserve(n);
  active_.reserve(std::min<std::size_t>(n, kMaxActive));
}

KokyakuDigest KokyakuDigest::Of(std::string_view image) {
  KokyakuDigest d;
  const RecordLayout& layout = KokyakuLayout();
  if (image.size() < layout.RecordLength()) return d;
  const std::size_t tenken = layout.Offset(Kokyaku::TenkenMonths);
  const std::size_t syuukin = layout.Offset(Kokyaku::SyuukinMonths);
  for (std::size_t m = 0; m < 12; ++m) {
    if (image[tenken + m] != ' ') d.tenkenMonths |= static_cast<std::uint16_t>(1u << m);
    if (image[syuukin + m] != ' ') d.syuukinMonths |= static_cast<std::uint16_t>(1u << m);
  }
  std::copy_n(image.data() + layout.Offset(Kokyaku::KeiyakuYear), 6, d.keiyaku.data());
  std::copy_n(image.data() + layout.Offset(Kokyaku::KeiyakuEndYear), 6, d.keiyakuEnd.data());
  return d;
}

std::uint32_t Store::KokyakuReading(int n) const {
  if (n < 1 || n > static_cast<int>(kanaKeys_.size())) return 0;
  return kanaKeys_[static_cast<std::size_t>(n - 1)];
}

bool Store::KokyakuLive(int n) const {
  return n >= 1 && n <= static_cast<int>(kanaLive_.size()) && kanaLive_[static_cast<std::size_t>(n - 1)];
}

const KokyakuDigest& Store::KokyakuDigestOf(int n) const {
  static const KokyakuDigest kBlank;
  if (n < 1 || n > static_cast<int>(digests_.size())) return kBlank;
  return digests_[static_cast<std::size_t>(n - 1)];
}

Store::Stamp Store::KokyakuStamp() const {
  struct stat st {};
  if (::stat(kokyaku_.Path().c_str(), &st) != 0) return {};
  return {static_cast<long long>(st.st_size),
          static_cast<long long>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec,
          static_cast<long long>(st.st_ino)};
}

std::span<const int> Store::TenkenOfMonth(int westernYear, int month) const {
  const std::string key = index_keys::YearMonthKey(westernYear, month);
  if (key.empty()) return {};
  return slipsByMonth_.Of(key);
}

int Store::KoujiNewest(std::string_view name20) const {
  const std::span<const int> entries = koujiByName_.Of(name20);
  return entries.empty() ? 0 : entries.back();
}

int Store::KokyakuOfName(std::string_view name20) const {
  // The list is in file order, so the smallest record number is the first listed.
  const std::span<const int> customers = kokyakuByName_.Of(name20);
  return customers.empty() ? 0 : customers.front();
}

Status Store::WriteKokyaku(int n, Record& record) {
  if (n < 1 || n > KokyakuCount() + 1) return kokyaku_.WriteRecord(n, record);  // OutOfRange
  // A pending entry may end a customer or bring one back: settled first, it
  // reports the record it puts back to the indexes like any write.
  if (kokyaku_.JournalPending()) {
    if (Status settled = kokyaku_.SettleJournal(); !settled) return settled;
  }
  // The list follows every write through this store; a file changed behind
  // it (or by a write that failed half way) is read again, so the limit
  // below counts what really is there.
  if (KokyakuStamp() != kokyakuStamp_) {
    if (Status read = RebuildIndex(); !read) return read;
  }
  const bool liveAfter = record.Pack()[0] != '1';
  const auto at = static_cast<std::size_t>(n - 1);
  const bool liveNow = at < kanaLive_.size() && kanaLive_[at];
  if (liveAfter && !liveNow && ActiveCount() >= kMaxActive) {
    return Status::Fail(StoreError::TooManyCustomers,
                        "顧客は" + std::to_string(kMaxActive) +
                            "件までです。これ以上は登録できません (at most " +
                            std::to_string(kMaxActive) + " live customers; nothing was stored)");
  }
  return kokyaku_.WriteRecord(n, record);
}

Status Store::FinishPendingWrites() {
  Status first = Status::Ok();
  for (RecordFile* file : {&jisya_, &kokyaku_, &tenken_, &kouji_}) {
    if (Status s = file->SettleJournal(); !s && first) first = std::move(s);
  }
  return first;
}

Status Store::KokyakuSortAndIndex() {
  const std::size_t length = kokyaku_.Layout().RecordLength();
  std::string image;
  // A pending in-place write names a record by its number; it is finished
  // before the records move.
  Status status = kokyaku_.SettleJournal();
  // The readings in memory follow every write, so an order that moves
  // nothing is known without reading the file, and the file stays as it is.
  if (status && KokyakuStamp() != kokyakuStamp_) status = RebuildIndex();
  if (status && kokyakuStamp_.size < 0) {
    status = Status::Fail(StoreError::CannotOpen, "cannot look at " + kokyaku_.Path().string());
  }
  if (status && InOrder(kanaKeys_, kanaLive_)) return Status::Ok();
  if (status) status = fileio::ReadFile(kokyaku_.Path(), image);
  bool replaced = false;
  if (status) {
    // Whole records only: a last one cut short is kept aside with the tail.
    kokyaku_.Recount();
    const std::size_t whole =
        std::min(static_cast<std::size_t>(kokyaku_.Count()), image.size() / length);
    // The order is taken again from the file itself, which is what moves.
    const std::vector<int> order =
        ExchangeSortOrder(std::string_view(image).substr(0, whole * length), length);
    const bool moved = Moves(order);
    if (moved) {
      // A partial record after the last whole one is not carried into the
      // sorted file: it is no record, and the next append would overwrite it.
      // Its bytes are kept beside the file first.
      status = KeepPartialTail(kokyaku_.Path(), std::string_view(image).substr(whole * length),
                               static_cast<int>(whole) + 1);
    }
    if (status && moved) {
      std::string sorted(whole * length, ' ');
      for (std::size_t i = 0; i < whole; ++i) {
        std::copy_n(image.data() + static_cast<std::size_t>(order[i]) * length, length,
                    sorted.data() + i * length);
      }
      // The last record of a file is judged by its line feed (without it, it
      // is an append cut short). A listed record the sort moves to the end
      // gets the line feed every record ends in, or the next start would
      // take it out of the list.
      if (whole >= 1) sorted.back() = '\n';
      status = fileio::ReplaceFile(kokyaku_.Path(), sorted, "sort");
      if (status) {
        kokyaku_.Recount();
        KokyakuIndexFrom(sorted);
        kokyakuStamp_ = KokyakuStamp();
        replaced = true;
      }
    }
  }
  if (replaced) return status;
  // The file is the truth whether or not the sort got through.
  Status index = RebuildIndex();
  return status ? index : status;
}

std::string Store::PartialTailNotice() const {
  std::string files;
  for (const RecordFile* file : {&kokyaku_, &tenken_, &kouji_}) {
    const long long tail = file->TailBytes();
    if (tail == 0) continue;
    if (!files.empty()) files += ", ";
    files += file->Path().filename().string() + " (" + std::to_string(tail) + "バイト)";
  }
  // One line under the command bar: short, and it names the files.
  if (files.empty()) return files;
  return "末尾が欠けたレコードがあります: " + files +
         "。次の登録の前に .partial ファイルへ写して残します。";
}

int Store::KokyakuFind(std::string_view name, Record* out) const {
  const int found = KokyakuOfName(PadField(name, TextAlign::Left, 20));
  if (found != 0 && out && !kokyaku_.ReadRecord(found, *out)) return 0;
  return found;
}

void Store::SetFaultHook(std::function<bool(std::string_view point)> hook) {
  fileio::SetFaultHook(std::move(hook));
}

}  // namespace tankora
