#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace app {

// When a written file reaches the disk.
enum class Durability {
  Now,         // the file and its folder entry are synced before the write returns
  WithFolder,  // the caller syncs the folder once for many files (syncfs)
};

// The one way files are written: the bytes go to a new temporary file beside
// the name, which is then renamed over it, so a file under its final name is
// always whole. A symbolic link at the name is replaced, never followed; a
// folder or other non-regular file there is refused; a regular file keeps its
// permission bits (no set-id bit: the content is new). Everything happens
// relative to the open folder, so nothing can land outside it. The file is
// only renamed into place once the system says all of its bytes are in it;
// no bytes at all is a failure too. Returns an empty string, or the reason
// in words.
QString writeInFolder(int folder, const QByteArray& name, const QByteArray& bytes,
                      Durability durability);

// Writes all of the bytes to an open file, resuming after signals and short
// writes; false with errno set when the system refuses the rest.
bool writeAll(int fd, const char* data, qsizetype size);

// The same at a path: its folder, or the current directory for a bare name.
// The path's bytes are the file system's, exactly as given.
QString writeAtomically(const QByteArray& path, const QByteArray& bytes);
QString writeAtomically(const QString& path, const QByteArray& bytes);

// The same for a file too large to hold: fill writes it to the open file
// descriptor and returns "" or what went wrong.
QString writeStreamed(const QString& path, const std::function<QString(int fd)>& fill);

}  // namespace app
