#pragma once
// The recovery files of one folder that no running editor owns: the work of
// editors that were killed, or ended by a crash or a lost session.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/recovery_file.h"

struct RecoveryOffer {
  std::string file;                      // the recovery file's path
  std::optional<RecoveryHeader> header;  // none when it cannot be read
  std::string error;                     // why not, then
  std::uint64_t size = 0;                // of the whole file, in bytes
};

// The recovery files in `folder` whose owner no longer runs, most recently
// saved first. A file whose header cannot be read is listed too, unless the
// process its name gives still runs: its owner may yet be writing it.
std::vector<RecoveryOffer> FindOrphanedRecoveryFiles(const std::string& folder);

// Makes an orphaned file ours by renaming it to `ownPath`; false when another
// editor took it first, or it cannot be renamed.
bool ClaimRecoveryFile(const std::string& file, const std::string& ownPath);
