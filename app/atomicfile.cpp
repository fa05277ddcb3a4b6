#include "app/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

namespace app {

namespace {

// The longest name one folder entry can have on the file systems we meet.
constexpr qsizetype kMaxNameBytes = 255;

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString whatStandsThere(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("A folder stands at that name");
  if (S_ISFIFO(mode)) return QStringLiteral("A named pipe stands at that name");
  if (S_ISSOCK(mode)) return QStringLiteral("A socket stands at that name");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("A device stands at that name");
  return QStringLiteral("Something other than a file stands at that name");
}

// Writes all of bytes, resuming after signals and short writes.
bool writeAll(int fd, const QByteArray& bytes) {
  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

// Removes the temporary file on every way out but a successful rename.
class Temporary {
 public:
  ~Temporary() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_name.isEmpty()) ::unlink(m_name.constData());
  }
  // Creates a new file with a short random name in folder, which ends in "/"
  // or is empty for the current directory. Never opens anything that exists.
  bool create(const QByteArray& folder, mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const QByteArray name = folder + ".VellB-" +
                              QByteArray::number(QRandomGenerator::global()->generate64(), 36) +
                              ".tmp";
      m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
      if (m_fd >= 0) {
        m_name = name;
        return true;
      }
      if (errno != EEXIST) return false;
    }
    return false;
  }
  int fd() const { return m_fd; }
  const QByteArray& name() const { return m_name; }
  // Closes the file, reporting a late write error.
  bool close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }
  // The file now lives under the final name: nothing left to remove.
  void release() { m_name.clear(); }

 private:
  int m_fd = -1;
  QByteArray m_name;
};

}  // namespace

QString writeAtomically(const QString& path, const QByteArray& bytes) {
  const QByteArray target = QFile::encodeName(path);
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray folder = target.left(slash + 1);
  const qsizetype nameBytes = target.size() - folder.size();
  if (nameBytes == 0) return QStringLiteral("The file name is empty");
  if (nameBytes > kMaxNameBytes)
    return QStringLiteral("The file name is too long: %1 bytes, at most %2")
        .arg(nameBytes)
        .arg(kMaxNameBytes);

  // A regular file keeps its read, write and execute permissions (no set-id
  // bit: the content is new); a link is replaced by a new file, its target
  // left alone; anything else is refused. rename(2) below never
  // follows a link at the name either, so a link planted after this look is
  // replaced too, and a folder planted then makes the rename fail.
  mode_t mode = 0666;  // less the umask, as for any new file
  bool keepMode = false;
  struct stat existing {};
  if (::lstat(target.constData(), &existing) == 0) {
    if (S_ISREG(existing.st_mode)) {
      mode = existing.st_mode & 0777;
      keepMode = true;
    } else if (!S_ISLNK(existing.st_mode)) {
      return whatStandsThere(existing.st_mode);
    }
  } else if (errno != ENOENT) {
    return systemError(errno);
  }

  Temporary temporary;
  if (!temporary.create(folder, keepMode ? 0600 : mode)) return systemError(errno);
  if (keepMode && ::fchmod(temporary.fd(), mode) != 0) return systemError(errno);
  if (!writeAll(temporary.fd(), bytes)) return systemError(errno);
  if (::fsync(temporary.fd()) != 0) return systemError(errno);
  if (!temporary.close()) return systemError(errno);
  if (::rename(temporary.name().constData(), target.constData()) != 0) {
    if (errno == EISDIR) return whatStandsThere(S_IFDIR);
    return systemError(errno);
  }
  temporary.release();

  // The new entry itself reaches the disk with the folder.
  const int dir =
      ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return {};
}

}  // namespace app
