#include "export/writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <functional>

#include "export/names.h"

namespace app {

namespace {

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

QString whatStandsThere(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("A folder stands at that name");
  if (S_ISFIFO(mode)) return QStringLiteral("A named pipe stands at that name");
  if (S_ISSOCK(mode)) return QStringLiteral("A socket stands at that name");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("A device stands at that name");
  return QStringLiteral("Something other than a file stands at that name");
}

// Removes the temporary file on every way out but a successful rename.
class Temporary {
 public:
  explicit Temporary(int folder) : m_folder(folder) {}
  ~Temporary() {
    if (m_fd >= 0) ::close(m_fd);
    if (!m_name.isEmpty()) ::unlinkat(m_folder, m_name.constData(), 0);
  }
  // Creates a new file with a short random name. Never opens anything that exists.
  bool create(mode_t mode) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      const QByteArray name =
          ".VellB-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
      m_fd = ::openat(m_folder, name.constData(),
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
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
  int m_folder;
  int m_fd = -1;
  QByteArray m_name;
};

}  // namespace

bool writeAll(int fd, const char* data, qsizetype size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      errno = EIO;
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

namespace {

// The one writer. fill puts the file's bytes into the open temporary file and
// says what went wrong, or ""; when their number is known beforehand
// (expected >= 0) the file must hold exactly that many before it is renamed.
QString writeInFolderBy(int folder, const QByteArray& name, Durability durability,
                        const std::function<QString(int fd)>& fill, qint64 expected) {
  if (name.isEmpty()) return QStringLiteral("The file name is empty");
  if (name.size() > kMaxNameBytes)
    return QStringLiteral("The file name is too long: %1 bytes, at most %2")
        .arg(name.size())
        .arg(kMaxNameBytes);

  // rename(2) below never follows a link at the name either, so a link
  // planted after this look is replaced too, and a folder planted then makes
  // the rename fail.
  mode_t mode = 0666;  // less the umask, as for any new file
  bool keepMode = false;
  struct stat existing {};
  if (::fstatat(folder, name.constData(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
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
  if (const QString problem = fill(temporary.fd()); !problem.isEmpty()) return problem;
  if (expected >= 0) {
    struct stat written {};
    if (::fstat(temporary.fd(), &written) != 0) return systemError(errno);
    if (written.st_size != expected)
      return QStringLiteral("Only %1 of %2 bytes reached the file")
          .arg(written.st_size)
          .arg(expected);
  }
  if (durability == Durability::Now && ::fsync(temporary.fd()) != 0) return systemError(errno);
  if (!temporary.close()) return systemError(errno);
  if (::renameat(folder, temporary.name().constData(), folder, name.constData()) != 0) {
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
QString inFolderOf(const QByteArray& target,
                   const std::function<QString(int folder, const QByteArray& name)>& write) {
  const qsizetype slash = target.lastIndexOf('/');
  const QByteArray name = target.mid(slash + 1);
  if (name.isEmpty()) return QStringLiteral("The file name is empty");
  const QByteArray folderPath = slash < 0 ? QByteArray(".") : slash == 0 ? "/" : target.left(slash);
  const int folder = ::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return systemError(errno);
  const QString problem = write(folder, name);
  ::close(folder);
  return problem;
}

}  // namespace

QString writeInFolder(int folder, const QByteArray& name, const QByteArray& bytes,
                      Durability durability) {
  if (!name.isEmpty() && bytes.isEmpty()) return QStringLiteral("There is nothing to write");
  return writeInFolderBy(
      folder, name, durability,
      [&bytes](int fd) {
        return writeAll(fd, bytes.constData(), bytes.size()) ? QString() : systemError(errno);
      },
      bytes.size());
}

QString writeStreamed(const QString& path, const std::function<QString(int fd)>& fill) {
  return inFolderOf(QFile::encodeName(path), [&fill](int folder, const QByteArray& name) {
    return writeInFolderBy(folder, name, Durability::Now, fill, -1);
  });
}

QString writeAtomically(const QString& path, const QByteArray& bytes) {
  return writeAtomically(QFile::encodeName(path), bytes);
}

QString writeAtomically(const QByteArray& target, const QByteArray& bytes) {
  return inFolderOf(target, [&bytes](int folder, const QByteArray& name) {
    return writeInFolder(folder, name, bytes, Durability::Now);
  });
}

}  // namespace app
