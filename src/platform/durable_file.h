#pragma once
// What a durable save needs from the system: a file opened by its UTF-8 name, its bytes
// put on the disk, and a rename over the old file that is on the disk too, so a crash
// or a power loss leaves the old file or the new one, never an empty one.

#include <cstdio>
#include <string>

namespace tavo {

// Opens `path` for writing bytes, creating or emptying it; nullptr with `reason` set.
std::FILE* OpenFileForWriting(const std::string& path, std::string& reason);
// Puts what was written through `file` (flushed already) on the disk. A file system
// that cannot sync (some network and virtual ones) keeps the data as well as it can,
// which is not a failure.
bool SyncFile(std::FILE* file, std::string& reason);
// Renames `from` over `to` in the same folder, replacing it, and puts the folder's new
// entry on the disk.
bool MoveIntoPlace(const std::string& from, const std::string& to, std::string& reason);
// Removes a file if it is there; for the cleanup after a failure, which cannot fail.
void RemoveFileQuietly(const std::string& path);

} // namespace tavo
