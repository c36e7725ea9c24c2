// Form files on disk: read whole within the size limit, and replaced, never rewritten in place.
#include "kestrow/host/storage/form_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>
#include <system_error>

#include "host/storage/file_replace.h"
#include "host/storage/form_values.h"
#include "kestrow/host/values/host_error.h"

namespace kestrow::host {
namespace {

std::string Reason(int error) { return std::system_category().message(error); }

[[noreturn]] void RaiseAccess(const std::filesystem::path& path, const std::string& what) {
  throw HostError(errors::kPathFileAccessError, "Path/File access error: " + path.string() + ": " + what);
}

}  // namespace

std::vector<StoredControl> ReadFormFile(const std::filesystem::path& path) {
  const std::string source = path.filename().string();
  RemoveStaleTemporaries(path);
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR) {
      throw HostError(errors::kFileNotFound, "File not found: " + path.string() + ": " + Reason(error));
    }
    RaiseAccess(path, "cannot open the file: " + Reason(error));
  }
  const std::unique_ptr<int, void (*)(int*)> closing(&fd, [](int* open) { ::close(*open); });
  // The size on disk refuses a large file without reading it; the capped read below also stops a
  // file that grows, or a device that never ends.
  struct stat status {};
  if (::fstat(fd, &status) != 0) RaiseAccess(path, "cannot examine the file: " + Reason(errno));
  if (S_ISDIR(status.st_mode)) RaiseAccess(path, Reason(EISDIR));
  if (S_ISREG(status.st_mode) && static_cast<std::uintmax_t>(status.st_size) > kMaxFormFileBytes) {
    form_values::RaiseTooLarge(source);
  }
  std::string text;
  if (S_ISREG(status.st_mode)) text.reserve(static_cast<std::size_t>(status.st_size));
  std::array<char, 1 << 16> chunk{};
  while (text.size() <= kMaxFormFileBytes) {
    const ssize_t got = ::read(fd, chunk.data(), chunk.size());
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      RaiseAccess(path, "cannot read the file: " + Reason(errno));
    }
    text.append(chunk.data(), static_cast<std::size_t>(got));
  }
  return ParseForm(text, source);
}

void WriteFormFile(const std::filesystem::path& path, const std::vector<StoredControl>& controls) {
  ReplaceFile(path, FormatForm(controls));  // FormatForm refuses an unstorable value before the disk is touched
}

}  // namespace kestrow::host
