#include "platform/recovery_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>

std::vector<RecoveryOffer> FindOrphanedRecoveryFiles(const std::string& folder) {
  std::vector<RecoveryOffer> offers;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return offers;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    const long namedOwner = RecoveryFileOwner(name);
    if (namedOwner == 0) continue;
    RecoveryOffer offer;
    offer.file = folder + "/" + name;
    struct stat info {};
    if (stat(offer.file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    offer.size = static_cast<std::uint64_t>(info.st_size);
    try {
      offer.header = ReadRecoveryHeader(offer.file);
      if (IsRunning(offer.header->owner)) continue;
      // Renamed by the editor that took it over, which rewrites the header
      // with its own name soon after: that editor's file while it runs.
      if (offer.header->owner.pid != namedOwner && IsRunning({namedOwner, 0})) continue;
    } catch (const std::exception& error) {
      if (IsRunning({namedOwner, 0})) continue;
      offer.error = error.what();
    }
    offers.push_back(std::move(offer));
  }
  closedir(dir);
  std::ranges::sort(offers, [](const RecoveryOffer& a, const RecoveryOffer& b) {
    const auto savedAt = [](const RecoveryOffer& o) { return o.header ? o.header->savedAt : 0; };
    return savedAt(a) != savedAt(b) ? savedAt(a) > savedAt(b) : a.file < b.file;
  });
  return offers;
}

bool ClaimRecoveryFile(const std::string& file, const std::string& ownPath) {
  // Two editors may start at once and offer the same file: the source name
  // goes with the first rename, so only one of them can have it. Where the
  // file system cannot refuse to replace, a plain rename does.
  if (renameat2(AT_FDCWD, file.c_str(), AT_FDCWD, ownPath.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  return errno == EINVAL && rename(file.c_str(), ownPath.c_str()) == 0;
}
