// Creating or replacing a file so that a failure or a kill at any instant
// leaves at the target either the old file or the complete new one: the new
// content is built in a temporary file beside the target, synced with its
// folder, and renamed into place in one step. Every operation that writes a
// whole file (create, compact, rename, the exports) goes through here.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "zazorazari/platform/Error.h"

namespace zazorazari::files {

// What a replacement does with what already stands at the target.
struct ReplaceOptions {
  // A symbolic link at the target is written through (the file it leads to
  // is replaced); otherwise the name itself is replaced.
  bool followLink = true;
  // The new file takes the mode of the file it replaces; a new file (or
  // false here) takes the process's umask.
  bool keepMode = false;
  // A database file at the target is refused: an export never overwrites one.
  bool refuseDatabase = false;
  // The target must not exist: the engine's 3204 "Database already exists."
  bool mustBeNew = false;
};

// An exported file: written through a link, keeping the mode of the file it
// replaces, never over a database.
inline constexpr ReplaceOptions kExportedFile{.followLink = true, .keepMode = true, .refuseDatabase = true};

// `build` fills the empty temporary file whose path it receives (by any
// means: an engine, a copy); its errors come out as they are. Leftover
// temporaries of a killed earlier run on the same target are removed first.
// A target that is not a regular file (device, pipe, folder) is refused.
void ReplaceFile(const std::string& target, const ReplaceOptions& options,
                 const std::function<void(const std::string& temporary)>& build);

// The same for content written through a stream: `write` returns false when
// a write failed.
void ReplaceFileWith(const std::string& target, const ReplaceOptions& options,
                     const std::function<bool(FILE*)>& write);

// Copies the file `from` into the temporary that a ReplaceFile build for
// `target` received; failures name the file that could not be read or written.
void CopyInto(const std::string& from, const std::string& temporary, const std::string& target);

// Puts the complete file `from` in place of `target`: one rename, or across
// file systems a copy through ReplaceFile and then `from` removed.
void MoveFileOver(const std::string& from, const std::string& target, const ReplaceOptions& options);

// Both paths lead to one file (another spelling, a hard or symbolic link).
bool SameFile(const std::string& a, const std::string& b);

// Error 75 with its fixed text, then the path and what went wrong.
Error FileError(const std::string& path, const std::string& reason);

}  // namespace zazorazari::files
