#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace app {

// The longest name of one folder entry on the file systems we meet, in bytes.
inline constexpr int kMaxNameBytes = 255;

// When a written file reaches the disk.
enum class Durability {
  Now,         // the file and its folder entry are synced before the write returns
  WithFolder,  // the caller syncs the folder once for many files (syncfs)
};

// Takes a file's bytes as they are made; false when they could not be written.
using ByteSink = std::function<bool(const char* data, std::size_t size)>;
// Makes a file's bytes into the sink; false when it stopped.
using Producer = std::function<bool(const ByteSink& sink)>;

// The one way files are written: the bytes go to a new temporary file beside
// the name, which is then renamed over it, so a file under its final name is
// always whole. A symbolic link at the name is replaced, never followed; a
// folder or other non-regular file there is refused; a regular file keeps its
// permission bits (no set-id bit: the content is new). Everything happens
// relative to the open folder, so nothing can land outside it. The bytes are
// written as they are made, so a large picture is never held whole; the file
// is only renamed into place once the system says all of them are in it, and
// no bytes at all is a failure too. Returns an empty string, or the reason in
// words.
std::string writeInFolder(int folder, const std::string& name, const Producer& produce,
                          Durability durability);

// The same at a path (the file system's bytes, exactly as given): its
// folder, or the current directory for a bare name.
std::string writeAtomically(const std::string& path, const Producer& produce);
std::string writeAtomically(const std::string& path, std::string_view bytes);

// The same for a writer of its own: fill writes the file to the open file
// descriptor and returns "" or what went wrong.
std::string writeStreamed(const std::string& path, const std::function<std::string(int fd)>& fill);

// Writes all of the bytes to an open file, resuming after signals and short
// writes; false with errno set when the system refuses the rest.
bool writeAll(int fd, const char* data, std::size_t size);

}  // namespace app
