// Replacing a file's contents so that a crash, a full disk or a second writer never leaves it
// torn: the bytes go to a new temporary file beside the target, are flushed to the disk, and
// the temporary is renamed over the target.
#pragma once

#include <filesystem>
#include <string_view>

namespace kestrow::host {

// Writes `bytes` to `path`, through symbolic links to the file they finally name (a dangling
// link's target is created). The file keeps its permissions and, where allowed, its owner; a
// new one gets 0666 less the umask. A target with no write bit for anyone is refused as
// read-only. Any failure raises HostError errors::kPathFileAccessError naming `path` and the
// system's reason, and leaves the target as it was and no temporary behind.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// Removes the temporaries that writers which have since died left in the folder of `path`'s
// final target. Never raises; what cannot be removed stays.
void RemoveStaleTemporaries(const std::filesystem::path& path);

// The final target of `path` after following symbolic links (a dangling link gives the path it
// names). Raises as ReplaceFile for a loop of links or a path that cannot be examined.
std::filesystem::path ResolveLinks(const std::filesystem::path& path);

}  // namespace kestrow::host
