#include "app/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>

namespace app {

namespace {

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool writeAll(int fd, const QByteArray& bytes) {
  const char* data = bytes.constData();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, static_cast<std::size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

}  // namespace

QString writeAtomically(const QString& path, const QByteArray& bytes) {
  if (path.isEmpty()) return QStringLiteral("No file name given");
  const QByteArray target = QFile::encodeName(path);
  struct stat existing {};
  if (::lstat(target.constData(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
      !S_ISLNK(existing.st_mode))
    return S_ISDIR(existing.st_mode) ? QStringLiteral("A folder has that name")
                                     : QStringLiteral("Something other than a file has that name");

  // The temporary file sits beside the target, so the rename cannot cross
  // file systems; O_EXCL and O_NOFOLLOW keep it ours alone.
  const QFileInfo info(path);
  const QString folder = info.absolutePath();
  QByteArray temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = QFile::encodeName(
        folder + QStringLiteral("/.%1.%2.tmp")
                     .arg(info.fileName().left(64))
                     .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
    fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return reason(errno);
  }
  if (fd < 0) return reason(EEXIST);

  const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    const int error = written ? errno : writeError;
    ::unlink(temporary.constData());
    return reason(error);
  }
  // rename replaces a symbolic link at the name itself, never its target.
  if (::rename(temporary.constData(), target.constData()) != 0) {
    const int error = errno;
    ::unlink(temporary.constData());
    return reason(error);
  }
  return {};
}

}  // namespace app
