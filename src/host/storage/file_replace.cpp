// Replacing a file through a temporary beside it. The temporary is created exclusively under a
// name nobody can guess (so a hostile link or file planted in the folder is never written
// through), flushed before the rename and the folder after it (so a power loss leaves the old
// file or the new one, never an empty one). Its name carries the writer's process and the writer
// holds a lock on it while it writes, so a later writer can tell the leftovers of a dead one
// from the file a live one is still filling.
#include "host/storage/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <mutex>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#include "kestrow/host/values/host_error.h"

namespace kestrow::host {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryMark = ".kestrow-tmp-";
constexpr std::size_t kRandomLength = 8;
constexpr std::string_view kRandomDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
// Keeps a temporary's name within NAME_MAX (255) however long the target's name is.
constexpr std::size_t kMostNameKept = 200;
constexpr int kMostLinks = 40;  // as the kernel follows

std::string Reason(int error) { return std::system_category().message(error); }

[[noreturn]] void Raise(const fs::path& path, const std::string& what) {
  throw HostError(errors::kPathFileAccessError, "Path/File access error: " + path.string() + ": " + what);
}
[[noreturn]] void RaiseErrno(const fs::path& path, const std::string& what, int error) {
  Raise(path, what.empty() ? Reason(error) : what + ": " + Reason(error));
}

// Retries a call the kernel interrupted.
template <typename Call>
auto Retrying(Call call) {
  decltype(call()) result;
  do {
    result = call();
  } while (result == -1 && errno == EINTR);
  return result;
}

class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  int Get() const { return fd_; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  // The close's own result: on some file systems the last write error shows only here.
  int Close() {
    const int result = fd_ >= 0 ? ::close(fd_) : 0;
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// A write beyond RLIMIT_FSIZE raises SIGXFSZ, whose default kills the process; ignored, the
// write fails with EFBIG instead. The disposition is the whole process's, so concurrent writers
// share one change and the last to finish puts the old one back.
class FileSizeSignalIgnored {
 public:
  FileSizeSignalIgnored() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (users_++ == 0) {
      struct sigaction ignore {};
      ignore.sa_handler = SIG_IGN;
      sigemptyset(&ignore.sa_mask);
      ::sigaction(SIGXFSZ, &ignore, &saved_);
    }
  }
  FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
  FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;
  ~FileSizeSignalIgnored() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (--users_ == 0) ::sigaction(SIGXFSZ, &saved_, nullptr);
  }

 private:
  static inline std::mutex mutex_;
  static inline int users_ = 0;
  static inline struct sigaction saved_ {};
};

// The temporary file, removed unless it was renamed into place.
class Temporary {
 public:
  explicit Temporary(int folder) : folder_(folder) {}
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;
  ~Temporary() {
    file.Close();
    if (!name.empty() && !renamed) ::unlinkat(folder_, name.c_str(), 0);
  }
  Descriptor file;
  std::string name;
  bool renamed = false;

 private:
  int folder_;
};

std::string RandomSuffix() {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kRandomDigits.size() - 1);
  std::string suffix;
  for (std::size_t i = 0; i < kRandomLength; ++i) suffix += kRandomDigits[pick(generator)];
  return suffix;
}

// ".NAME.kestrow-tmp-PID-XXXXXXXX"
std::string TemporaryName(const std::string& target_name) {
  return "." + target_name.substr(0, kMostNameKept) + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" +
         RandomSuffix();
}

// The writer's process of a name TemporaryName made, or 0 for any other name.
pid_t WriterOf(std::string_view name) {
  const std::size_t mark = name.rfind(kTemporaryMark);
  if (name.size() < 2 || name[0] != '.' || mark == std::string_view::npos || mark == 0) return 0;
  const std::string_view rest = name.substr(mark + kTemporaryMark.size());
  pid_t pid = 0;
  const auto [end, problem] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
  if (problem != std::errc() || pid <= 0 || end == rest.data()) return 0;
  const std::string_view random(end, static_cast<std::size_t>(rest.data() + rest.size() - end));
  if (random.size() != kRandomLength + 1 || random[0] != '-') return 0;
  for (const char c : random.substr(1)) {
    if (kRandomDigits.find(c) == std::string_view::npos) return 0;
  }
  return pid;
}

bool ProcessIsGone(pid_t pid) { return pid != ::getpid() && ::kill(pid, 0) == -1 && errno == ESRCH; }

// Only a regular file whose writer's process is gone and whose lock nobody holds (a process in
// another PID namespace may look gone) is removed, and only if the name still means that file.
void RemoveIfStale(int folder, const char* name) {
  const pid_t writer = WriterOf(name);
  if (writer == 0 || !ProcessIsGone(writer)) return;
  const Descriptor file(
      Retrying([&] { return ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC); }));
  struct stat opened {};
  if (file.Get() < 0 || ::fstat(file.Get(), &opened) != 0 || !S_ISREG(opened.st_mode)) return;
  if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) return;
  struct stat named {};
  if (::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) != 0) return;
  if (named.st_dev == opened.st_dev && named.st_ino == opened.st_ino) ::unlinkat(folder, name, 0);
}

void RemoveStaleIn(int folder) {
  const int listing = ::dup(folder);
  if (listing < 0) return;
  DIR* directory = ::fdopendir(listing);
  if (!directory) {
    ::close(listing);
    return;
  }
  std::vector<std::string> candidates;
  while (const dirent* entry = ::readdir(directory)) {
    if (WriterOf(entry->d_name) != 0) candidates.emplace_back(entry->d_name);
  }
  ::closedir(directory);
  for (const std::string& name : candidates) RemoveIfStale(folder, name.c_str());
}

fs::path FolderOf(const fs::path& target) {
  const fs::path folder = target.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

int OpenFolder(const fs::path& folder) {
  return Retrying([&] { return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
}

// 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = Retrying([&] { return ::write(fd, bytes.data(), bytes.size()); });
    if (written < 0) return errno;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace

fs::path ResolveLinks(const fs::path& path) {
  fs::path current = path;
  for (int hops = 0;; ++hops) {
    struct stat status {};
    if (::lstat(current.c_str(), &status) != 0) {
      if (errno == ENOENT) return current;  // absent, or the end of a dangling link
      RaiseErrno(path, "", errno);
    }
    if (!S_ISLNK(status.st_mode)) return current;
    if (hops == kMostLinks) RaiseErrno(path, "", ELOOP);
    std::vector<char> target(static_cast<std::size_t>(status.st_size > 0 ? status.st_size : 255) + 1);
    ssize_t length = 0;
    while ((length = ::readlink(current.c_str(), target.data(), target.size())) >= 0 &&
           static_cast<std::size_t>(length) == target.size()) {
      target.resize(target.size() * 2);  // the link changed since lstat
    }
    if (length < 0) RaiseErrno(path, "", errno);
    const fs::path next(std::string(target.data(), static_cast<std::size_t>(length)));
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
}

void RemoveStaleTemporaries(const fs::path& path) {
  try {
    const Descriptor folder(OpenFolder(FolderOf(ResolveLinks(path))));
    if (folder.Get() >= 0) RemoveStaleIn(folder.Get());
  } catch (const HostError&) {
    // Nothing to clean where the path cannot be followed; the caller reports on the path itself.
  }
}

void ReplaceFile(const fs::path& path, std::string_view bytes) {
  const fs::path target = ResolveLinks(path);
  const std::string name = target.filename().string();
  if (name.empty() || name == "." || name == "..") RaiseErrno(path, "", EISDIR);
  const Descriptor folder(OpenFolder(FolderOf(target)));
  if (folder.Get() < 0) RaiseErrno(path, "cannot open its folder", errno);
  RemoveStaleIn(folder.Get());

  // What the old file was, to refuse what the rename would wrongly replace and to keep its mode.
  struct stat old {};
  const bool exists = ::fstatat(folder.Get(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (!exists && errno != ENOENT) RaiseErrno(path, "", errno);
  if (exists) {
    if (S_ISDIR(old.st_mode)) RaiseErrno(path, "", EISDIR);
    if (!S_ISREG(old.st_mode)) Raise(path, "not a regular file");
    // The rename needs only the folder's permission; the file's own are honoured here. Root
    // passes access(), so a file nobody may write is refused by its bits.
    if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) Raise(path, "is read-only");
    if (::faccessat(folder.Get(), name.c_str(), W_OK, AT_EACCESS) != 0) RaiseErrno(path, "cannot be written", errno);
  }

  Temporary temporary(folder.Get());
  // A new file gets what an ordinary create gives (0666 less the umask); a replacement starts
  // private and takes the old file's mode once written.
  const mode_t createMode = exists ? S_IRUSR | S_IWUSR : 0666;
  for (int attempt = 0; temporary.file.Get() < 0; ++attempt) {
    temporary.name = TemporaryName(name);
    const int fd = Retrying([&] {
      return ::openat(folder.Get(), temporary.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      createMode);
    });
    if (fd >= 0) {
      temporary.file.Reset(fd);
      break;
    }
    const int error = errno;
    temporary.name.clear();  // not ours: nothing to remove
    if (error != EEXIST || attempt == 100) RaiseErrno(path, "cannot create a temporary file beside it", error);
  }
  const int fd = temporary.file.Get();
  // Held until the file is renamed or removed: the mark of a live writer.
  Retrying([&] { return ::flock(fd, LOCK_EX); });

  {
    const FileSizeSignalIgnored signalIgnored;
    if (const int error = WriteAll(fd, bytes); error != 0) RaiseErrno(path, "cannot write the file", error);
  }
  if (exists) {
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
      [[maybe_unused]] const int keptOwner = ::fchown(fd, old.st_uid, old.st_gid);  // allowed to root only
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) RaiseErrno(path, "cannot keep its permissions", errno);
  }
  if (Retrying([&] { return ::fsync(fd); }) != 0) RaiseErrno(path, "cannot flush the file to disk", errno);
  if (temporary.file.Close() != 0) RaiseErrno(path, "cannot write the file", errno);

  if (::renameat(folder.Get(), temporary.name.c_str(), folder.Get(), name.c_str()) != 0) {
    RaiseErrno(path, "cannot replace the file", errno);
  }
  temporary.renamed = true;
  // The rename itself is on disk only once the folder is; file systems that cannot flush a
  // folder say so with EINVAL.
  if (Retrying([&] { return ::fsync(folder.Get()); }) != 0 && errno != EINVAL && errno != ENOTSUP) {
    RaiseErrno(path, "replaced, but cannot flush its folder to disk", errno);
  }
}

}  // namespace kestrow::host
