#include "backup/backup_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "store/file_io.h"

namespace tankora {

namespace {

using fileio::CloseFd;
using fileio::Failure;
using fileio::OpenFd;

constexpr BackupPartDef kParts[kBackupPartCount] = {
    {BackupPart::Kokyaku, "Kokyaku.120", "Kokyaku.125", "customers", "顧客", KokyakuLayout},
    {BackupPart::TenkenDenp, "TenkenDenp.120", "TenkenDenp.125", "slips", "点検伝票",
     TenkenDenpLayout},
    {BackupPart::Kouji, "Kouji.120", "Kouji.125", "ledger", "工事伝票", KoujiLayout},
    {BackupPart::Jisya, "Jisya.120", "Jisya.125", "company", "会社情報", JisyaLayout},
};

// Read back in pieces of this size to compare.
constexpr std::size_t kVerifyBlock = 1 << 20;

// The file as it is on the medium, not as the cache remembers writing it:
// a stick that lost the data must not pass the comparison.
bool VerifyAgainst(int fd, std::string_view expected, int& err) {
  (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    err = errno;
    return false;
  }
  if (static_cast<std::size_t>(st.st_size) != expected.size()) {
    err = EIO;
    return false;
  }
  std::vector<char> block(std::min(kVerifyBlock, std::max<std::size_t>(expected.size(), 1)));
  for (std::size_t done = 0; done < expected.size();) {
    const std::size_t want = std::min(block.size(), expected.size() - done);
    if (!fileio::PReadAll(fd, block.data(), want, static_cast<long long>(done))) {
      err = errno;
      return false;
    }
    if (std::memcmp(block.data(), expected.data() + done, want) != 0) {
      err = EIO;
      return false;
    }
    done += want;
  }
  return true;
}

// The whole file in a buffer that is not cleared first: a 20 MB slip file is
// read once, not zeroed and then read.
Status ReadWhole(const std::filesystem::path& path, std::unique_ptr<char[]>& buffer,
                 std::size_t& size) {
  const int fd = OpenFd(path, O_RDONLY);
  if (fd < 0) return Failure(StoreError::CannotOpen, "cannot open", path, errno);
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  if (ok) {
    size = static_cast<std::size_t>(st.st_size);
    buffer.reset(new char[std::max<std::size_t>(size, 1)]);
    ok = fileio::PReadAll(fd, buffer.get(), size, 0);
  }
  const int err = errno;
  CloseFd(fd);
  if (!ok) return Failure(StoreError::CannotOpen, "cannot read", path, err);
  return Status::Ok();
}

}  // namespace

std::span<const BackupPartDef> BackupParts() { return kParts; }

const BackupPartDef& PartDef(BackupPart part) { return kParts[PartIndex(part)]; }

std::filesystem::path TempPathOf(const std::filesystem::path& target) {
  std::filesystem::path temp = target;
  temp += ".tmp";
  return temp;
}

std::filesystem::path RealFileOf(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
  const std::filesystem::path real = std::filesystem::canonical(path, ec);
  return ec ? path : real;
}

PendingCopy::PendingCopy(PendingCopy&& other) noexcept { *this = std::move(other); }

PendingCopy& PendingCopy::operator=(PendingCopy&& other) noexcept {
  if (this != &other) {
    Abandon();
    temp_ = std::move(other.temp_);
    fd_ = std::exchange(other.fd_, -1);
    source_ = std::move(other.source_);
    sourceBytes_ = other.sourceBytes_;
    filtered_ = std::move(other.filtered_);
    filteredCopy_ = other.filteredCopy_;
    recordLength_ = other.recordLength_;
    result_ = std::move(other.result_);
  }
  return *this;
}

PendingCopy::~PendingCopy() { Abandon(); }

std::string_view PendingCopy::Bytes() const {
  return filteredCopy_ ? std::string_view(filtered_) : std::string_view(source_.get(), sourceBytes_);
}

void PendingCopy::Abandon() {
  if (fd_ < 0) return;
  CloseFd(fd_);
  fd_ = -1;
  ::unlink(temp_.c_str());
}

CopyResult& PendingCopy::Fail(const std::string& what, int err) {
  Abandon();
  result_.err = err;
  result_.status = Failure(StoreError::WriteFailed, what, temp_, err);
  return result_;
}

PendingCopy BeginCopy(const CopyJob& job, const std::function<void(int)>& percent) {
  PendingCopy pending;
  CopyResult& result = pending.result_;
  const std::size_t length = job.recordLength;
  pending.recordLength_ = length;
  std::size_t size = 0;
  if (Status read = ReadWhole(job.source, pending.source_, size); !read) {
    result.err = errno;
    result.atSource = true;
    result.status = read;
    return pending;
  }
  const int n = static_cast<int>(size / length);
  result.sourceRecords = n;
  result.strayBytes = static_cast<long long>(size % length);
  pending.sourceBytes_ = static_cast<std::size_t>(n) * length;
  const std::string_view source(pending.source_.get(), pending.sourceBytes_);

  // The copy's bytes: the source itself, or the records the clean-up keeps.
  // keptBefore[i] is how many records of the copy come from records before i.
  std::vector<int> keptBefore;
  if (job.keep) {
    keptBefore.resize(static_cast<std::size_t>(n) + 1);
    pending.filtered_.reserve(source.size());
    for (int i = 0; i < n; ++i) {
      keptBefore[static_cast<std::size_t>(i)] =
          static_cast<int>(pending.filtered_.size() / length);
      const std::string_view image = source.substr(static_cast<std::size_t>(i) * length, length);
      if (job.keep(image)) pending.filtered_ += image;
    }
    keptBefore[static_cast<std::size_t>(n)] = static_cast<int>(pending.filtered_.size() / length);
    pending.filteredCopy_ = true;
  }
  const std::string_view out = pending.Bytes();
  auto copyOffset = [&](int sourceIndex) {
    const int records = job.keep ? keptBefore[static_cast<std::size_t>(sourceIndex)] : sourceIndex;
    return static_cast<std::size_t>(records) * length;
  };

  pending.temp_ = TempPathOf(job.target);
  mode_t mode = static_cast<mode_t>(job.mode);
  struct stat st {};
  if (::stat(job.target.c_str(), &st) == 0) mode = st.st_mode & 07777;
  pending.fd_ = OpenFd(pending.temp_, O_RDWR | O_CREAT | O_TRUNC, mode);
  if (pending.fd_ < 0) {
    result.err = errno;
    result.status = Failure(StoreError::WriteFailed, "cannot create", pending.temp_, result.err);
    return pending;
  }
  (void)::fchmod(pending.fd_, mode);

  // Written in one piece per percentage step: few system calls for a large
  // file, and the screen sees every step a record-by-record copy would show.
  if (percent) percent(0);
  int shown = 0;
  int blockFrom = 0;
  auto writeBlock = [&](int from, int to) {
    const std::size_t a = copyOffset(from);
    const std::size_t b = copyOffset(to);
    return a == b ||
           fileio::PWriteAll(pending.fd_, out.substr(a, b - a), static_cast<long long>(a));
  };
  for (int i = 0; i < n; ++i) {
    const int p = static_cast<int>(static_cast<long long>(i) * 100 / n);
    if (p != shown) {
      if (!writeBlock(blockFrom, i)) {
        pending.Fail("cannot write", errno);
        return pending;
      }
      blockFrom = i;
      shown = p;
      if (percent) percent(p);
    }
    if (!fileio::PassFaultPoint("copy:record")) {
      pending.Fail("injected failure writing", EIO);
      return pending;
    }
  }
  if (!writeBlock(blockFrom, n)) pending.Fail("cannot write", errno);
  return pending;
}

CopyResult FinishCopy(PendingCopy& pending) {
  CopyResult& result = pending.result_;
  if (!result.status) return result;
  const int fd = pending.fd_;
  if (::fsync(fd) != 0) return pending.Fail("cannot flush", errno);
  if (!fileio::PassFaultPoint("copy:before-verify")) return pending.Fail("injected failure at", EIO);
  int err = 0;
  if (!VerifyAgainst(fd, pending.Bytes(), err)) {
    return pending.Fail("the copy does not read back as written:", err);
  }
  pending.fd_ = -1;
  if (::close(fd) != 0) {
    const int closeErr = errno;
    ::unlink(pending.temp_.c_str());
    result.err = closeErr;
    result.status = Failure(StoreError::WriteFailed, "cannot close", pending.temp_, closeErr);
    return result;
  }
  result.written = static_cast<int>(pending.Bytes().size() / pending.recordLength_);
  return result;
}

CopyResult WriteVerifiedTemp(const CopyJob& job, const std::function<void(int)>& percent) {
  PendingCopy pending = BeginCopy(job, percent);
  const CopyResult result = FinishCopy(pending);
  if (result.status && percent) percent(100);
  return result;
}

Status CommitTemp(const std::filesystem::path& target) {
  const std::filesystem::path temp = TempPathOf(target);
  if (!fileio::PassFaultPoint("copy:rename")) {
    return Failure(StoreError::WriteFailed, "injected failure renaming", temp, EIO);
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    return Failure(StoreError::WriteFailed, "cannot rename over", target, errno);
  }
  return Status::Ok();
}

void DiscardTemp(const std::filesystem::path& target) {
  ::unlink(TempPathOf(target).c_str());
}

}  // namespace tankora
