// Saving a form file when things go wrong: links, permissions, a full disk, a file-size limit,
// a writer killed mid-save, leftovers of dead writers and writers at the same time.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "host/storage/file_replace.h"
#include "host_storage/form_testing.h"

// Every fsync of this program passes through here, so a test can see what was flushed when.
namespace fsync_log {
struct Call {
  std::string path;  // what the descriptor named
  bool folder = false;
  std::string bytes;          // the file's, for a file
  std::string watched_bytes;  // of the watched file at that moment
};
std::mutex mutex;
std::vector<Call>* calls = nullptr;
std::filesystem::path watched;
}  // namespace fsync_log

extern "C" int fsync(int fd) {
  {
    const std::lock_guard<std::mutex> lock(fsync_log::mutex);
    if (fsync_log::calls) {
      const std::string self = "/proc/self/fd/" + std::to_string(fd);
      std::error_code ignored;
      fsync_log::Call call;
      call.path = std::filesystem::read_symlink(self, ignored).string();
      call.folder = std::filesystem::is_directory(self, ignored);
      if (!call.folder) call.bytes = kestrow::host::test_support::FileBytes(self);
      call.watched_bytes = kestrow::host::test_support::FileBytes(fsync_log::watched);
      fsync_log::calls->push_back(std::move(call));
    }
  }
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace kestrow::host {
namespace {

namespace fs = std::filesystem;
using test_support::FileBytes;
using test_support::Raised;
using test_support::WriteBytes;

using FileReplace = test_support::TempDirTest;

// One control holding a string of `length` copies of `fill`: its name tells the forms apart and
// the string's length shows a torn one.
std::vector<StoredControl> FilledForm(const std::u16string& name, std::size_t length, char16_t fill) {
  StoredControl control{name, "Text", {}};
  control.properties.WriteProperty("Text", Variant::String(std::u16string(length, fill)), Variant());
  return {control};
}

// The name of the form in the file, after checking it is whole; "" when it cannot be read.
std::u16string WholeFormName(const fs::path& path, std::size_t length) {
  const std::vector<StoredControl> read = ReadFormFile(path);
  if (read.size() != 1 || read[0].properties.Entries().size() != 1) return u"";
  const Variant& text = read[0].properties.Entries()[0].second;
  return text.Type() == VarType::String && text.AsString().size() == length ? read[0].name : u"";
}

std::vector<std::string> FolderNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Reason(int error) { return std::strerror(error); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A process id that no process has now.
pid_t DeadPid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

int ExitCodeOf(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A small tmpfs over `folder` while it lives, where the machine lets this process mount one.
class Mounted {
 public:
  Mounted(const fs::path& folder, const char* options, unsigned long flags = 0) : folder_(folder) {
    fs::create_directories(folder);
    mounted_ = ::geteuid() == 0 && ::mount("tmpfs", folder.c_str(), "tmpfs", flags, options) == 0;
  }
  Mounted(const Mounted&) = delete;
  Mounted& operator=(const Mounted&) = delete;
  ~Mounted() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  bool ok() const { return mounted_; }
  bool MakeReadOnly(const char* options) {
    return ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, options) == 0;
  }

 private:
  fs::path folder_;
  bool mounted_ = false;
};

// --- Links and permissions --------------------------------------------------------------------

TEST_F(FileReplace, SavesThroughLinksToTheirFinalTarget) {
  fs::create_directories(dir_ / "real");
  fs::create_directories(dir_ / "links");
  const fs::path real = dir_ / "real" / "form.json";
  WriteFormFile(real, FilledForm(u"Old", 10, u'a'));
  // links/first -> second (relative) -> real/form.json (relative, through the parent)
  fs::create_symlink("second", dir_ / "links" / "first");
  fs::create_symlink("../real/form.json", dir_ / "links" / "second");

  WriteFormFile(dir_ / "links" / "first", FilledForm(u"New", 10, u'b'));
  EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "first"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "second"));
  EXPECT_EQ(WholeFormName(real, 10), u"New");
  EXPECT_EQ(FolderNames(dir_ / "real"), std::vector<std::string>{"form.json"});
  EXPECT_EQ(FolderNames(dir_ / "links"), (std::vector<std::string>{"first", "second"}));
  EXPECT_EQ(ResolveLinks(dir_ / "links" / "first"), dir_ / "links" / "../real/form.json");

  // A dangling link: its target is created, the link stays.
  fs::create_symlink(dir_ / "real" / "later.json", dir_ / "links" / "dangling");
  WriteFormFile(dir_ / "links" / "dangling", FilledForm(u"Later", 3, u'c'));
  EXPECT_TRUE(fs::is_symlink(dir_ / "links" / "dangling"));
  EXPECT_EQ(WholeFormName(dir_ / "real" / "later.json", 3), u"Later");

  // A loop never ends: an error naming the link.
  fs::create_symlink("loop-b", dir_ / "links" / "loop-a");
  fs::create_symlink("loop-a", dir_ / "links" / "loop-b");
  const auto loop = Raised([&] { WriteFormFile(dir_ / "links" / "loop-a", {}); });
  ASSERT_TRUE(loop);
  EXPECT_EQ(loop->Number(), errors::kPathFileAccessError);
  EXPECT_TRUE(Contains(loop->Description(), (dir_ / "links" / "loop-a").string() + ": " + Reason(ELOOP)))
      << loop->Description();
}

TEST_F(FileReplace, ReplacedFileKeepsItsModeAndANewOneFollowsTheUmask) {
  const fs::path path = dir_ / "form.json";
  WriteFormFile(path, {});
  ::chmod(path.c_str(), 0640);
  WriteFormFile(path, FilledForm(u"A", 1, u'a'));
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);

  for (const mode_t mask : {mode_t{022}, mode_t{077}, mode_t{0}}) {
    const mode_t oldMask = ::umask(mask);
    const fs::path fresh = dir_ / ("fresh-" + std::to_string(mask) + ".json");
    WriteFormFile(fresh, {});
    ::umask(oldMask);
    ASSERT_EQ(::stat(fresh.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0666u & ~mask) << mask;
  }
}

TEST_F(FileReplace, ReadOnlyFileIsRefusedAndUntouched) {
  const fs::path path = dir_ / "form.json";
  WriteFormFile(path, FilledForm(u"Old", 5, u'a'));
  const std::string before = FileBytes(path);
  ::chmod(path.c_str(), 0444);
  const auto error = Raised([&] { WriteFormFile(path, FilledForm(u"New", 5, u'b')); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), errors::kPathFileAccessError);
  EXPECT_EQ(error->Description(), "Path/File access error: " + path.string() + ": is read-only");
  EXPECT_EQ(FileBytes(path), before);
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0444u);
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"form.json"});
  EXPECT_EQ(WholeFormName(path, 5), u"Old");  // still readable
}

// The new bytes are on disk before the rename shows them, and the rename before the save returns.
TEST_F(FileReplace, FileIsFlushedBeforeTheRenameAndTheFolderAfter) {
  const fs::path path = dir_ / "form.json";
  WriteFormFile(path, FilledForm(u"Old", 10, u'a'));
  const std::string oldBytes = FileBytes(path);
  const std::string newBytes = FormatForm(FilledForm(u"New", 10, u'b'));
  std::vector<fsync_log::Call> calls;
  {
    const std::lock_guard<std::mutex> lock(fsync_log::mutex);
    fsync_log::watched = path;
    fsync_log::calls = &calls;
  }
  WriteFormFile(path, FilledForm(u"New", 10, u'b'));
  {
    const std::lock_guard<std::mutex> lock(fsync_log::mutex);
    fsync_log::calls = nullptr;
  }
  const auto file = std::find_if(calls.begin(), calls.end(), [](const auto& call) { return !call.folder; });
  ASSERT_NE(file, calls.end()) << "the new file was never flushed";
  EXPECT_EQ(fs::path(file->path).parent_path(), dir_);
  EXPECT_EQ(file->bytes, newBytes);
  EXPECT_EQ(file->watched_bytes, oldBytes);  // not yet renamed
  const auto folder = std::find_if(file, calls.end(), [](const auto& call) { return call.folder; });
  ASSERT_NE(folder, calls.end()) << "the folder was not flushed after the file";
  EXPECT_EQ(fs::path(folder->path), dir_);
  EXPECT_EQ(folder->watched_bytes, newBytes);  // renamed
}

// A name an older save would have used, planted as a link to another file, is not written
// through.
TEST_F(FileReplace, LinkPlantedAtAGuessableNameIsNotFollowed) {
  const fs::path path = dir_ / "form.json";
  const fs::path victim = dir_ / "victim";
  WriteBytes(victim, "precious");
  WriteFormFile(path, FilledForm(u"Old", 10, u'a'));
  for (const std::string& planted : {"form.json.tmp-" + std::to_string(::getpid()), std::string(".form.json.tmp")}) {
    fs::create_symlink(victim, dir_ / planted);
  }
  WriteFormFile(path, FilledForm(u"New", 10, u'b'));
  EXPECT_EQ(FileBytes(victim), "precious");
  EXPECT_FALSE(fs::is_symlink(path));
  EXPECT_EQ(WholeFormName(path, 10), u"New");
}

// --- Errors that name the file and the reason -------------------------------------------------

TEST_F(FileReplace, LoadErrorsNameTheFileAndTheReason) {
  const fs::path missing = dir_ / "absent.json";
  const auto absent = Raised([&] { ReadFormFile(missing); });
  ASSERT_TRUE(absent);
  EXPECT_EQ(absent->Number(), errors::kFileNotFound);
  EXPECT_EQ(absent->Description(), "File not found: " + missing.string() + ": " + Reason(ENOENT));

  const auto directory = Raised([&] { ReadFormFile(dir_); });
  ASSERT_TRUE(directory);
  EXPECT_EQ(directory->Number(), errors::kPathFileAccessError);
  EXPECT_TRUE(Contains(directory->Description(), dir_.string() + ": " + Reason(EISDIR))) << directory->Description();

  if (::geteuid() != 0) {  // permissions do not bind root
    WriteFormFile(dir_ / "secret.json", {});
    ::chmod((dir_ / "secret.json").c_str(), 0);
    const auto denied = Raised([&] { ReadFormFile(dir_ / "secret.json"); });
    ASSERT_TRUE(denied);
    EXPECT_EQ(denied->Number(), errors::kPathFileAccessError);
    EXPECT_TRUE(Contains(denied->Description(), Reason(EACCES))) << denied->Description();
  }
}

TEST_F(FileReplace, SaveIntoAMissingOrReadOnlyFolderNamesTheReason) {
  const fs::path nowhere = dir_ / "no-such-folder" / "form.json";
  const auto missing = Raised([&] { WriteFormFile(nowhere, {}); });
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->Number(), errors::kPathFileAccessError);
  EXPECT_TRUE(Contains(missing->Description(), "Path/File access error: " + nowhere.string() + ": "));
  EXPECT_TRUE(Contains(missing->Description(), Reason(ENOENT))) << missing->Description();

  const fs::path folder = dir_ / "fixed";
  const fs::path path = folder / "form.json";
  Mounted mount(folder, "size=64k");
  int expected = EACCES;
  if (mount.ok()) {
    WriteFormFile(path, FilledForm(u"Old", 5, u'a'));
    ASSERT_TRUE(mount.MakeReadOnly("size=64k"));
    expected = EROFS;
  } else if (::geteuid() != 0) {
    WriteFormFile(path, FilledForm(u"Old", 5, u'a'));
    fs::permissions(folder, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  } else {
    GTEST_SKIP() << "root without mount: no folder here refuses writing";
  }
  const std::string before = FileBytes(path);
  for (const fs::path& target : {path, folder / "new.json"}) {
    const auto error = Raised([&] { WriteFormFile(target, FilledForm(u"New", 5, u'b')); });
    ASSERT_TRUE(error) << target;
    EXPECT_EQ(error->Number(), errors::kPathFileAccessError);
    EXPECT_TRUE(Contains(error->Description(), target.string() + ": ")) << error->Description();
    EXPECT_TRUE(Contains(error->Description(), Reason(expected))) << error->Description();
  }
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"form.json"});
}

TEST_F(FileReplace, FullDiskIsAnErrorThatLeavesTheOldFile) {
  const fs::path folder = dir_ / "small";
  const Mounted mount(folder, "size=64k");
  if (!mount.ok()) GTEST_SKIP() << "cannot mount a small tmpfs here";
  const fs::path path = folder / "form.json";
  WriteFormFile(path, FilledForm(u"Old", 1000, u'a'));
  const std::string before = FileBytes(path);

  const auto error = Raised([&] { WriteFormFile(path, FilledForm(u"New", 200'000, u'b')); });
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), errors::kPathFileAccessError);
  EXPECT_TRUE(Contains(error->Description(), path.string() + ": ")) << error->Description();
  EXPECT_TRUE(Contains(error->Description(), Reason(ENOSPC))) << error->Description();
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_EQ(FolderNames(folder), std::vector<std::string>{"form.json"});
  // The space came back: a save that fits still works.
  WriteFormFile(path, FilledForm(u"Fits", 1000, u'c'));
  EXPECT_EQ(WholeFormName(path, 1000), u"Fits");
}

// Past RLIMIT_FSIZE the kernel sends SIGXFSZ, by default fatal: the save must fail instead, and
// leave the signal's disposition as it found it.
TEST_F(FileReplace, FileSizeLimitIsAnErrorNotASignal) {
  const fs::path path = dir_ / "form.json";
  WriteFormFile(path, FilledForm(u"Old", 100, u'a'));
  const std::string before = FileBytes(path);
  const pid_t child = ::fork();
  if (child == 0) {
    const rlimit limit{16 * 1024, 16 * 1024};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(10);
    const auto error = Raised([&] { WriteFormFile(path, FilledForm(u"New", 100'000, u'b')); });
    if (!error || error->Number() != errors::kPathFileAccessError) ::_exit(11);
    if (!Contains(error->Description(), path.string() + ": ") || !Contains(error->Description(), Reason(EFBIG))) {
      ::_exit(12);
    }
    if (FileBytes(path) != before || FolderNames(dir_) != std::vector<std::string>{"form.json"}) ::_exit(13);
    struct sigaction now {};
    ::sigaction(SIGXFSZ, nullptr, &now);
    if (now.sa_handler != SIG_DFL) ::_exit(14);
    ::_exit(0);
  }
  ASSERT_GT(child, 0);
  EXPECT_EQ(ExitCodeOf(child), 0) << "10: setrlimit, 11: no access error, 12: description, 13: files, "
                                     "14: disposition, 128+: killed by that signal";
}

// --- Leftovers and writers at once ----------------------------------------------------------

TEST_F(FileReplace, OnlyTemporariesOfDeadWritersAreRemoved) {
  const fs::path path = dir_ / "form.json";
  WriteFormFile(path, {});
  const std::string dead = std::to_string(DeadPid());
  const std::string live = std::to_string(::getpid());
  const std::string stale = ".form.json.kestrow-tmp-" + dead + "-Abc123xY";
  const std::string otherStale = ".other.json.kestrow-tmp-" + dead + "-zzzzzzzz";
  const std::string inUse = ".form.json.kestrow-tmp-" + live + "-Abc123xY";
  const std::string locked = ".form.json.kestrow-tmp-" + dead + "-LOCKED00";
  const std::string aFolder = ".form.json.kestrow-tmp-" + dead + "-FOLDER00";
  const std::string notOurs = ".form.json.kestrow-tmp-" + dead + "-short";
  for (const std::string& name : {stale, otherStale, inUse, locked, notOurs}) WriteBytes(dir_ / name, "partial");
  fs::create_directory(dir_ / aFolder);
  // A lock held means a live writer, whatever its process id says (another PID namespace).
  const int held = ::open((dir_ / locked).c_str(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  WriteFormFile(path, {});
  EXPECT_EQ(FolderNames(dir_), (std::vector<std::string>{inUse, aFolder, locked, notOurs, "form.json"}));

  // A load cleans as well.
  ::close(held);
  WriteBytes(dir_ / stale, "partial");
  EXPECT_TRUE(ReadFormFile(path).empty());
  EXPECT_EQ(FolderNames(dir_), (std::vector<std::string>{inUse, aFolder, notOurs, "form.json"}));
}

// A save killed at any moment leaves the old form or the new one, whole; the next save removes
// what the killed one left.
TEST_F(FileReplace, KilledSaveLeavesTheOldOrTheNewForm) {
  constexpr std::size_t kLength = 400'000;
  const fs::path path = dir_ / "form.json";
  WriteFormFile(path, FilledForm(u"Old", kLength, u'a'));
  const std::vector<StoredControl> forms[] = {FilledForm(u"Old", kLength, u'a'), FilledForm(u"New", kLength, u'b')};
  const auto startSave = [&](const std::vector<StoredControl>& form) {
    const pid_t child = ::fork();
    if (child == 0) {
      WriteFormFile(path, form);
      ::_exit(0);
    }
    return child;
  };
  // How long a whole save takes here, so the kills spread over all of it.
  const auto began = std::chrono::steady_clock::now();
  ASSERT_EQ(ExitCodeOf(startSave(forms[1])), 0);
  const auto whole = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - began);

  constexpr int kKills = 24;
  int interrupted = 0;
  for (int i = 0; i < kKills; ++i) {
    const pid_t child = startSave(forms[i % 2]);
    ASSERT_GT(child, 0);
    std::this_thread::sleep_for(whole * i / kKills);
    ::kill(child, SIGKILL);
    if (ExitCodeOf(child) == 128 + SIGKILL) ++interrupted;
    const std::u16string name = WholeFormName(path, kLength);
    ASSERT_TRUE(name == u"Old" || name == u"New") << "after a kill at " << (whole * i / kKills).count() << " us";
  }
  RecordProperty("interrupted", interrupted);
  WriteFormFile(path, forms[0]);
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"form.json"});
}

TEST_F(FileReplace, ConcurrentWritersEachLeaveAWholeForm) {
  constexpr std::size_t kLength = 50'000;
  constexpr int kSaves = 8;
  const fs::path path = dir_ / "form.json";
  const std::vector<StoredControl> forms[] = {FilledForm(u"A", kLength, u'a'), FilledForm(u"B", kLength, u'b')};
  WriteFormFile(path, forms[0]);

  // Threads, with a reader that must only ever see one whole form.
  std::atomic<int> failures{0};
  std::atomic<bool> writing{true};
  std::vector<std::thread> writers;
  for (const auto& form : forms) {
    writers.emplace_back([&] {
      for (int i = 0; i < kSaves; ++i) {
        if (Raised([&] { WriteFormFile(path, form); })) ++failures;
      }
    });
  }
  std::thread reader([&] {
    while (writing) {
      const std::u16string name = WholeFormName(path, kLength);
      if (name != u"A" && name != u"B") ++failures;
    }
  });
  for (auto& writer : writers) writer.join();
  writing = false;
  reader.join();
  EXPECT_EQ(failures, 0);

  // Processes.
  std::vector<pid_t> children;
  for (const auto& form : forms) {
    const pid_t child = ::fork();
    if (child == 0) {
      for (int i = 0; i < kSaves; ++i) {
        if (Raised([&] { WriteFormFile(path, form); })) ::_exit(1);
      }
      ::_exit(0);
    }
    children.push_back(child);
  }
  for (const pid_t child : children) EXPECT_EQ(ExitCodeOf(child), 0);
  const std::u16string name = WholeFormName(path, kLength);
  EXPECT_TRUE(name == u"A" || name == u"B");
  EXPECT_EQ(FolderNames(dir_), std::vector<std::string>{"form.json"});
}

}  // namespace
}  // namespace kestrow::host
