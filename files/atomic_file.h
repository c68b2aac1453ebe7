#pragma once
// Saving a file so that nobody ever sees half of it: the content is written
// to a temporary file with a unique name beside the target, flushed to disk
// and renamed over the target. Used for every file the program writes.
#include <functional>
#include <optional>
#include <string>

namespace tavelmark::files {

// Fills the file named by its first argument (UTF-8), which exists and is
// empty; false with a message in *error (never null) when it cannot.
using FileWriter = std::function<bool(const std::string& path, std::string* error)>;

// Afterwards `path` holds either all that `write` wrote or what it held
// before. Refused without writing: a target that exists and is not a regular
// file (a device, a FIFO, a folder, a symlink to one of those). A symlink to
// a regular file is written through, and so is a symlink that names no file
// yet: the file it names is created and the link stays. A replaced file
// keeps its permission bits; a new file gets those of a plain create (0666
// less the umask). Any name the folder takes can be saved: the temporary
// name beside the target is short, whatever the target's length. On
// failure *error (when given) names the path and the cause, and no temporary
// file is left behind; an exception from `write` passes through, also
// without leftovers.
bool SaveFileAtomically(const std::string& path, const FileWriter& write, std::string* error = nullptr);

// What `write` puts into a file, read back from a temporary file in the
// system's temporary folder, which is then removed: for writing a file's
// bytes to standard output.
std::optional<std::string> WrittenBytes(const FileWriter& write, std::string* error = nullptr);

}  // namespace tavelmark::files
