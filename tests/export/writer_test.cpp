// Writing a file whole or not at all, never through a link, never over a folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "export/qtwriter.h"

namespace {

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

TEST(AtomicFile, WritesReplacesAndRefuses) {
  struct Row {
    const char* name;
    void (*before)(const QString& dir, const QString& target);
    bool written;
    const char* reason;  // part of the reason given when not written
  };
  const Row rows[] = {
      {"a new file", [](const QString&, const QString&) {}, true, ""},
      {"an old file is replaced", [](const QString&, const QString& t) { put(t, "old"); }, true,
       ""},
      {"a link is replaced, its target kept",
       [](const QString& d, const QString& t) {
         put(d + QStringLiteral("/target"), "target");
         QFile::link(d + QStringLiteral("/target"), t);
       },
       true, ""},
      {"a dangling link is replaced",
       [](const QString& d, const QString& t) { QFile::link(d + QStringLiteral("/none"), t); },
       true, ""},
      {"a folder is refused", [](const QString&, const QString& t) { QDir().mkdir(t); }, false,
       "folder"},
  };
  for (const Row& row : rows) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("out.png"));
    row.before(dir.path(), target);
    const QString reason = app::writeAtomically(target, "new bytes");
    EXPECT_EQ(reason.isEmpty(), row.written) << row.name << ": " << qPrintable(reason);
    EXPECT_TRUE(reason.contains(QLatin1String(row.reason))) << row.name;
    if (row.written) {
      EXPECT_FALSE(QFileInfo(target).isSymLink()) << row.name;
      EXPECT_EQ(contents(target), QByteArray("new bytes")) << row.name;
    }
    if (QFileInfo::exists(dir.filePath(QStringLiteral("target")))) {
      EXPECT_EQ(contents(dir.filePath(QStringLiteral("target"))), QByteArray("target")) << row.name;
    }
    // No temporary file is left behind.
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden)) {
      EXPECT_FALSE(name.endsWith(QLatin1String(".tmp"))) << row.name << ": " << qPrintable(name);
    }
  }
}

TEST(AtomicFile, AMissingFolderIsAReasonNotACrash) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("no/such/folder/x.png"));
  const QString reason = app::writeAtomically(path, "bytes");
  EXPECT_FALSE(reason.isEmpty());
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_FALSE(app::writeAtomically(QString(), "bytes").isEmpty());
}

}  // namespace
