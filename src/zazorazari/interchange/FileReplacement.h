// Writing a file so that a failure or a crash never leaves it half-written:
// the content goes to a temporary file beside the target, is flushed to
// disk, and is renamed over the target only when complete.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace zazorazari::interchange {

// `write` fills the open temporary file and returns false on a failure. The
// finished file keeps the mode of the file it replaces (else rw-r--r--).
// Any failure is error 75 naming the file and the system's reason, and the
// target stays as it was.
void ReplaceFileWith(const std::string& strPath, const std::function<bool(FILE*)>& write);

}  // namespace zazorazari::interchange
