#include "export/batch.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <QTextStream>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "export/choices.h"
#include "export/names.h"
#include "export/symbollayout.h"
#include "export/writer.h"
#include "render/devices.h"

namespace app {

namespace {

constexpr int kCollisionRoom = 8;  // for "-2" ... "-9999999"
constexpr qsizetype kChunk = 512;  // records named, drawn and reported together
constexpr qint64 kProgressEveryMs = 250;

struct Record {
  qint64 line = 0;
  QString type;  // as written in the list
  QString data;
  const Choice* choice = nullptr;
  QString refusal;  // set before drawing when the record cannot be read
  QString name;     // in the folder
  QString path;
  // Filled by a worker.
  enum class Outcome { Pending, Written, Refused, Failed } outcome = Outcome::Pending;
  QString message;
  std::vector<std::string> warnings;
};

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Draws a record and writes its file, or says why it is refused or not written.
void make(Record& record, const BatchRequest& request, int folder) {
  if (!record.refusal.isEmpty()) {
    record.outcome = Record::Outcome::Refused;
    record.message = record.refusal;
    return;
  }
  const auto layout =
      layoutSymbol(requestFor(*record.choice, record.data.toStdString(), request.options));
  if (const auto* refused = std::get_if<std::string>(&layout)) {
    record.outcome = Record::Outcome::Refused;
    record.message = QString::fromStdString(*refused);
    return;
  }
  const render::Layout& symbol = std::get<render::Layout>(layout);
  const ExportPlan plan = planExport(request.options, symbol);
  for (const Warning& warning : warningsFor(symbol, plan))
    record.warnings.push_back(warningText(warning));
  record.message = QString::fromStdString(writeInFolder(
      folder, QFile::encodeName(record.name).toStdString(),
      [&](const ByteSink& sink) { return render::write(symbol, plan.output, sink); },
      Durability::WithFolder));
  record.outcome = record.message.isEmpty() ? Record::Outcome::Written : Record::Outcome::Failed;
}

// Makes the records of a block on the workers, in the list's order as they
// take them; after a failure they take no more.
void makeAll(std::vector<Record>& records, const BatchRequest& request, int folder, int jobs) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  const auto work = [&] {
    for (std::size_t i; !stop && (i = next++) < records.size();) {
      make(records[i], request, folder);
      if (records[i].outcome == Record::Outcome::Failed) stop = true;
    }
  };
  std::vector<std::thread> threads;
  const int count = std::min<int>(jobs, static_cast<int>(records.size()));
  for (int t = 1; t < count; ++t) threads.emplace_back(work);
  work();
  for (std::thread& thread : threads) thread.join();
}

// Lines of a readable device; the last one counts without its newline too.
qint64 countLines(QIODevice& device) {
  qint64 lines = 0;
  char last = '\n';
  char buffer[1 << 16];
  for (qint64 n; (n = device.read(buffer, sizeof buffer)) > 0;) {
    lines += std::count(buffer, buffer + n, '\n');
    last = buffer[n - 1];
  }
  return lines + (last != '\n' ? 1 : 0);
}

// The names a run has written. A name already taken gets "-2", "-3", ...
// before its extension; each stem remembers the next number to try, so a
// thousand equal names cost a thousand steps, not half a million. Names are
// kept as 64-bit hashes (about 16 bytes a record): a false match only adds a
// suffix, it never overwrites a file.
class UniqueNames {
 public:
  QString claim(const QString& name, const QString& extension) {
    if (m_taken.insert(key(name)).second) return name;
    const QString stem = name.chopped(extension.size() + 1);
    int& next = m_nextSuffix.try_emplace(key(stem), 2).first->second;
    QString candidate;
    do candidate = stem + QStringLiteral("-%1.").arg(next++) + extension;
    while (!m_taken.insert(key(candidate)).second);
    return candidate;
  }

 private:
  static std::size_t key(const QString& name) { return qHash(name, 0); }
  std::unordered_set<std::size_t> m_taken;
  std::unordered_map<std::size_t, int> m_nextSuffix;
};

class Progress {
 public:
  Progress(QTextStream& err, qint64 total) : m_err(err), m_total(total), m_on(::isatty(2) == 1) {
    m_clock.start();
  }
  void update(qint64 done, bool last = false) {
    if (!m_on || (!last && m_clock.elapsed() - m_shownAt < kProgressEveryMs)) return;
    m_shownAt = m_clock.elapsed();
    const double seconds = std::max(0.001, m_clock.elapsed() / 1000.0);
    m_err << "\r" << done << " of " << m_total << " lines, "
          << qRound64(static_cast<double>(done) / seconds) << " per second" << (last ? "\n" : "");
    m_err.flush();
  }
  // A message starts on a line of its own.
  void clear() {
    if (m_on && m_shownAt >= 0) m_err << "\r\033[K";
  }

 private:
  QTextStream& m_err;
  qint64 m_total;
  bool m_on;
  QElapsedTimer m_clock;
  qint64 m_shownAt = -1;
};

}  // namespace

bool splitCsvPair(const QString& line, QString& first, QString& second) {
  QStringList fields;
  qsizetype i = 0;
  while (true) {
    QString field;
    if (i < line.size() && line[i] == QLatin1Char('"')) {
      ++i;
      while (true) {
        if (i >= line.size()) return false;  // no closing quote
        if (line[i] == QLatin1Char('"')) {
          if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
            field += QLatin1Char('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += line[i++];
      }
      if (i < line.size() && line[i] != QLatin1Char(',')) return false;
    } else {
      const qsizetype comma = line.indexOf(QLatin1Char(','), i);
      const qsizetype end = comma < 0 ? line.size() : comma;
      field = line.mid(i, end - i);
      if (field.contains(QLatin1Char('"'))) return false;
      i = end;
    }
    fields << field;
    if (i >= line.size()) break;
    ++i;  // the comma
  }
  if (fields.size() != 2) return false;
  first = fields[0];
  second = fields[1];
  return true;
}

QString batchFileName(const QString& nameTemplate, qint64 line, int lineWidth, const QString& data,
                      const QString& type, const QString& extension) {
  QString fixed = nameTemplate;
  fixed.replace(QStringLiteral("{line}"),
                QStringLiteral("%1").arg(line, lineWidth, 10, QLatin1Char('0')));
  fixed.replace(QStringLiteral("{type}"), safeFileName(type));
  const int uses = static_cast<int>(fixed.count(QStringLiteral("{data}")));
  QString name = fixed;
  if (uses > 0) {
    QString rest = fixed;
    rest.remove(QStringLiteral("{data}"));
    const int room = kMaxNameBytes - kCollisionRoom - static_cast<int>(rest.toUtf8().size()) - 1 -
                     static_cast<int>(extension.size());
    name.replace(QStringLiteral("{data}"),
                 cutToBytes(safeFileName(data), std::max(0, room / uses)));
  }
  name = cutToBytes(safeFileName(name),
                    kMaxNameBytes - kCollisionRoom - 1 - static_cast<int>(extension.size()));
  return name + QLatin1Char('.') + extension;
}

BatchResult runBatch(const BatchRequest& request, QTextStream& err) {
  const auto fail = [&err](const QString& message, BatchResult status) {
    err << "barcode-generator: " << message << "\n";
    err.flush();
    return status;
  };
  if (request.nameTemplate.isEmpty())
    return fail(QStringLiteral("--name needs a template"), BatchResult::BadRequest);
  if (batchFileName(request.nameTemplate, 0, 20, QString(), QStringLiteral("code128"),
                    QStringLiteral("png"))
          .toUtf8()
          .size() > 200)
    return fail(QStringLiteral("--name makes names too long for a file system"),
                BatchResult::BadRequest);
  if (request.choice)
    if (const std::string problem = checkOptionsFor(*request.choice, request.options);
        !problem.empty())
      return fail(QString::fromStdString(problem), BatchResult::BadRequest);

  // Thousands of pictures of about the same size: keep freed memory for the
  // next one rather than handing it back to the system and faulting it in again.
  mallopt(M_MMAP_THRESHOLD, 16 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);

  QDir folder(request.folder);
  if (!folder.exists() && !QDir().mkpath(request.folder))
    return fail(QStringLiteral("the folder %1 could not be made").arg(request.folder),
                BatchResult::NotWritten);

  const int folderFd = ::open(QFile::encodeName(folder.absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0)
    return fail(
        QStringLiteral("the folder %1 cannot be opened: %2").arg(request.folder, reason(errno)),
        BatchResult::NotWritten);
  struct FolderCloser {
    int fd;
    ~FolderCloser() { ::close(fd); }
  } closer{folderFd};

  // The list is read twice: once to count its lines (the width of {line}),
  // once to make the files. Standard input is kept in a hidden file in the
  // folder meanwhile, so that memory stays flat whatever the list's length.
  QFile list;
  QTemporaryFile spool(folder.filePath(QStringLiteral(".barcode-list-XXXXXX")));
  if (request.list == QLatin1String("-")) {
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly) || !spool.open())
      return fail(QStringLiteral("standard input could not be kept: %1").arg(spool.errorString()),
                  BatchResult::NotWritten);
    char buffer[1 << 16];
    for (qint64 n; (n = input.read(buffer, sizeof buffer)) > 0;)
      if (spool.write(buffer, n) != n)
        return fail(QStringLiteral("standard input could not be kept: %1").arg(spool.errorString()),
                    BatchResult::NotWritten);
    spool.flush();
    list.setFileName(spool.fileName());
  } else {
    list.setFileName(request.list);
  }
  if (!list.open(QIODevice::ReadOnly))
    return fail(QStringLiteral("%1 cannot be read: %2").arg(request.list, list.errorString()),
                BatchResult::BadRequest);
  const qint64 lines = countLines(list);
  list.seek(0);
  const int lineWidth = static_cast<int>(QString::number(std::max<qint64>(lines, 1)).size());
  const QString extension = QString::fromLatin1(render::extensionOf(request.options.format));
  const bool namesRepeat = !request.nameTemplate.contains(QStringLiteral("{line}"));
  UniqueNames usedNames;  // only when the template cannot keep names apart

  const int jobs = std::max(
      1, request.jobs > 0 ? request.jobs : static_cast<int>(std::thread::hardware_concurrency()));
  Progress progress(err, lines);
  bool refusedAny = false;
  qint64 line = 0;
  // Blocks of records: named here in the list's order, then drawn and
  // written on the workers, then reported in order.
  bool atEnd = false;
  const auto readBlock = [&](std::vector<Record>& block) {
    block.clear();
    while (static_cast<qsizetype>(block.size()) < kChunk) {
      if (list.atEnd()) {
        atEnd = true;
        break;
      }
      QByteArray bytes = list.readLine();
      ++line;
      if (bytes.endsWith('\n')) bytes.chop(1);
      if (bytes.endsWith('\r')) bytes.chop(1);
      if (bytes.isEmpty()) continue;
      Record record;
      record.line = line;
      const QString text = QString::fromUtf8(bytes);
      if (request.choice) {
        record.choice = request.choice;
        record.type = QString::fromLatin1(request.choice->key.data(),
                                          static_cast<qsizetype>(request.choice->key.size()));
        record.data = text;
      } else if (!splitCsvPair(text, record.type, record.data)) {
        record.refusal = QStringLiteral("expected two fields, type,data");
      } else if (!(record.choice = choiceByKey(record.type.trimmed().toLower().toStdString()))) {
        record.refusal = QStringLiteral("unknown type \"%1\"").arg(record.type);
      } else {
        record.type = record.type.trimmed().toLower();
      }
      if (record.choice && record.refusal.isEmpty()) {
        QString name = batchFileName(request.nameTemplate, line, lineWidth, record.data,
                                     record.type, extension);
        if (namesRepeat) name = usedNames.claim(name, extension);
        record.name = name;
        record.path = folder.filePath(name);
      }
      block.push_back(std::move(record));
    }
  };
  std::vector<Record> chunk;
  std::unordered_set<std::string> warned;  // each warning once, with the first line it concerns
  while (!atEnd) {
    readBlock(chunk);
    makeAll(chunk, request, folderFd, jobs);
    for (const Record& record : chunk) {
      for (const std::string& warning : record.warnings)
        if (warned.insert(warning).second) {
          progress.clear();
          err << "line " << record.line << ": warning: " << QString::fromStdString(warning) << "\n";
        }
      if (record.outcome == Record::Outcome::Refused) {
        progress.clear();
        err << "line " << record.line << ": " << record.message << "\n";
        refusedAny = true;
      } else if (record.outcome == Record::Outcome::Failed) {
        progress.clear();
        err << "line " << record.line << ": " << record.path
            << " was not written: " << record.message << "; stopped\n";
        err.flush();
        return BatchResult::NotWritten;
      } else if (record.outcome == Record::Outcome::Pending) {
        break;  // not reached: a record before it failed
      }
    }
    if (!chunk.empty()) progress.update(chunk.back().line);
  }
  progress.update(line, true);
  // Every file written reaches the disk before the run says it is done.
  if (::syncfs(folderFd) != 0)
    return fail(QStringLiteral("the files could not be made durable: %1").arg(reason(errno)),
                BatchResult::NotWritten);
  err.flush();
  return refusedAny ? BatchResult::SomeRefused : BatchResult::AllWritten;
}

}  // namespace app
