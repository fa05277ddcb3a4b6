#include "export/writer.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <string>

namespace app {

namespace {

std::string systemError(int error) { return std::strerror(error); }

std::string whatStandsThere(mode_t mode) {
  if (S_ISDIR(mode)) return "A folder stands at that name";
  if (S_ISFIFO(mode)) return "A named pipe stands at that name";
  if (S_ISSOCK(mode)) return "A socket stands at that name";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "A device stands at that name";
  return "Something other than a file stands at that name";
}

// A short name nobody can guess: a random number drawn once per run, then
// the next of a count, in base 36 (one random draw, not one a file).
std::string randomName() {
  static const std::uint64_t seed = [] {
    std::uint64_t value = 0;
    if (::getrandom(&value, sizeof value, 0) != sizeof value)
      value = static_cast<std::uint64_t>(::getpid()) * 2654435761u ^
              static_cast<std::uint64_t>(::time(nullptr));
    return value;
  }();
  static std::atomic<std::uint64_t> count{0};
  std::uint64_t value = seed ^ (count++ * 0x9e3779b97f4a7c15ULL);
  std::string digits;
  do {
    digits += "0123456789abcdefghijklmnopqrstuvwxyz"[value % 36];
    value /= 36;
  } while (value != 0);
  return ".VellB-" + digits + ".tmp";
}

// Removes the temporary file on every way out but a successful rename.
class Temporary {
 public:
  explicit Temporary(int folder) : m_folder(folder) {}
  ~Temporary() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_name.empty()) ::unlinkat(m_folder, m_name.c_str(), 0);
  }
  // Creates a new file with a short random name. Never opens anything that exists.
  bool create(mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::string name = randomName();
      m_fd = ::openat(m_folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      mode);
      if (m_fd >= 0) {
        m_name = name;
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }
  int fd() const { return m_fd; }
  const std::string& name() const { return m_name; }
  // Closes the file, reporting a late write error.
  bool close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }
  // The file now lives under the final name: nothing left to remove.
  void release() { m_name.clear(); }

 private:
  int m_folder;
  int m_fd = -1;
  std::string m_name;
};

// Small writes gathered into blocks of this many bytes.
constexpr std::size_t kBlockBytes = 1 << 16;

// The one writer. fill puts the file's bytes into the open temporary file
// and says what went wrong, or ""; it sets `written` to how many there are
// when it knows (-1 otherwise), and the file must then hold exactly that
// many before it is renamed.
std::string writeBy(int folder, const std::string& name, Durability durability,
                    const std::function<std::string(int fd, long long& written)>& fill) {
  if (name.empty()) return "The file name is empty";
  if (name.size() > kMaxNameBytes)
    return "The file name is too long: " + std::to_string(name.size()) + " bytes, at most " +
           std::to_string(kMaxNameBytes);

  // rename(2) below never follows a link at the name either, so a link
  // planted after this look is replaced too, and a folder planted then makes
  // the rename fail.
  mode_t mode = 0666;  // less the umask, as for any new file
  bool keepMode = false;
  struct stat existing {};
  if (::fstatat(folder, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
    if (S_ISREG(existing.st_mode)) {
      mode = existing.st_mode & 0777;
      keepMode = true;
    } else if (!S_ISLNK(existing.st_mode)) {
      return whatStandsThere(existing.st_mode);
    }
  } else if (errno != ENOENT) {
    return systemError(errno);
  }

  Temporary temporary(folder);
  if (!temporary.create(keepMode ? 0600 : mode)) return systemError(errno);
  if (keepMode && ::fchmod(temporary.fd(), mode) != 0) return systemError(errno);
  long long expected = -1;
  if (const std::string problem = fill(temporary.fd(), expected); !problem.empty()) return problem;
  if (expected >= 0) {
    struct stat written {};
    if (::fstat(temporary.fd(), &written) != 0) return systemError(errno);
    if (written.st_size != expected)
      return "Only " + std::to_string(written.st_size) + " of " + std::to_string(expected) +
             " bytes reached the file";
  }
  if (durability == Durability::Now && ::fsync(temporary.fd()) != 0) return systemError(errno);
  if (!temporary.close()) return systemError(errno);
  if (::renameat(folder, temporary.name().c_str(), folder, name.c_str()) != 0) {
    if (errno == EISDIR || errno == ENOTEMPTY || errno == EEXIST) return whatStandsThere(S_IFDIR);
    return systemError(errno);
  }
  temporary.release();
  // The new entry itself reaches the disk with the folder.
  if (durability == Durability::Now) ::fsync(folder);
  return {};
}

// Runs write on the open folder of a path (the current directory for a bare
// name) and the name in it.
std::string inFolderOf(
    const std::string& path,
    const std::function<std::string(int folder, const std::string& name)>& write) {
  const std::size_t slash = path.rfind('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty()) return "The file name is empty";
  const std::string folderPath = slash == std::string::npos ? "."
                                 : slash == 0               ? "/"
                                                            : path.substr(0, slash);
  const int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return systemError(errno);
  const std::string problem = write(folder, name);
  ::close(folder);
  return problem;
}

}  // namespace

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      errno = EIO;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

std::string writeInFolder(int folder, const std::string& name, const Producer& produce,
                          Durability durability) {
  return writeBy(folder, name, durability, [&produce](int fd, long long& count) -> std::string {
    int writeError = 0;
    long long total = 0;
    std::string block;
    const auto flush = [&] {
      if (writeError == 0 && !writeAll(fd, block.data(), block.size())) writeError = errno;
      block.clear();
      return writeError == 0;
    };
    const ByteSink sink = [&](const char* data, std::size_t size) {
      total += static_cast<long long>(size);
      if (size >= kBlockBytes) {
        if (!flush()) return false;
        if (!writeAll(fd, data, size)) writeError = errno;
        return writeError == 0;
      }
      block.append(data, size);
      return block.size() < kBlockBytes || flush();
    };
    const bool made = produce(sink);
    flush();
    if (writeError != 0) return systemError(writeError);
    if (!made) return "The file's contents could not be made";
    if (total == 0) return "There is nothing to write";
    count = total;
    return {};
  });
}

std::string writeAtomically(const std::string& path, const Producer& produce) {
  return inFolderOf(path, [&produce](int folder, const std::string& name) {
    return writeInFolder(folder, name, produce, Durability::Now);
  });
}

std::string writeAtomically(const std::string& path, std::string_view bytes) {
  return writeAtomically(
      path, [bytes](const ByteSink& sink) { return sink(bytes.data(), bytes.size()); });
}

std::string writeStreamed(const std::string& path, const std::function<std::string(int fd)>& fill) {
  return inFolderOf(path, [&fill](int folder, const std::string& name) {
    return writeBy(folder, name, Durability::Now, [&fill](int fd, long long&) { return fill(fd); });
  });
}

}  // namespace app
