#include "export/batch.h"

#include <fcntl.h>
#include <malloc.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>
#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "export/choices.h"
#include "export/grading.h"
#include "export/interruption.h"
#include "export/limits.h"
#include "export/listlines.h"
#include "export/names.h"
#include "export/symbollayout.h"
#include "export/writer.h"

namespace app {

namespace {

constexpr int kCollisionRoom = 8;  // for "-2" ... "-9999999"
constexpr int kMaxSuffix = 9999999;
constexpr qint64 kProgressEveryMs = 250;
constexpr qsizetype kReadBlock = 1 << 16;
// A line of more bytes holds more than kMaxInputLength characters whatever
// they are: a character is at most three bytes a UTF-16 unit, a doubled CSV
// quote two, and the type, comma and quotes fit in the rest.
constexpr qsizetype kMaxLineBytes = 3 * qsizetype{kMaxInputLength} + 64;

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Lines of a list from any descriptor (file, pipe, FIFO, terminal), read once
// in blocks. A line longer than kMaxLineBytes is passed over to its end, never
// held whole. A signal noted by the Interruption ends any wait for input.
class LineReader {
 public:
  enum class Status { Line, TooLong, End, NotYet, Failed, Interrupted };

  LineReader(int fd, int wakeFd) : m_fd(fd), m_wake(wakeFd) {}

  // The next line without its newline. With wait false, NotYet when no
  // whole line has arrived yet.
  Status next(QByteArray& line, bool wait) {
    while (true) {
      const qsizetype end = m_buffer.indexOf('\n', m_scanned);
      if (end >= 0) {
        const bool skipped = m_skipping;
        if (!skipped) line = m_buffer.sliced(m_start, end - m_start);
        m_start = m_scanned = end + 1;
        m_skipping = false;
        return skipped ? Status::TooLong : Status::Line;
      }
      m_scanned = m_buffer.size();
      if (m_buffer.size() - m_start > kMaxLineBytes) m_skipping = true;
      if (m_skipping) {
        m_buffer.clear();
        m_start = m_scanned = 0;
      }
      if (m_ended) {
        const bool skipped = m_skipping, partial = m_start < m_buffer.size();
        m_skipping = false;
        if (skipped) return Status::TooLong;
        if (!partial) return Status::End;
        line = m_buffer.sliced(m_start);
        m_buffer.clear();
        m_start = m_scanned = 0;
        return Status::Line;
      }
      if (const auto status = fill(wait)) return *status;
    }
  }

  int error() const { return m_error; }

 private:
  // More bytes, the end, or why there are none.
  std::optional<Status> fill(bool wait) {
    if (m_start > 0) {
      m_buffer.remove(0, m_start);
      m_scanned -= m_start;
      m_start = 0;
    }
    pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wake, POLLIN, 0}};
    const int ready = ::poll(fds, m_wake >= 0 ? 2 : 1, wait ? -1 : 0);
    if (ready < 0 && errno != EINTR) return fail(errno);
    if (m_wake >= 0 && (fds[1].revents & POLLIN)) return Status::Interrupted;
    if (ready <= 0) return wait ? std::nullopt : std::optional(Status::NotYet);
    const qsizetype had = m_buffer.size();
    m_buffer.resize(had + kReadBlock);
    const ssize_t n = ::read(m_fd, m_buffer.data() + had, kReadBlock);
    m_buffer.resize(had + std::max<ssize_t>(n, 0));
    if (n == 0) m_ended = true;
    if (n < 0 && errno != EINTR && errno != EAGAIN) return fail(errno);
    return std::nullopt;
  }
  Status fail(int error) {
    m_error = error;
    return Status::Failed;
  }

  int m_fd;
  int m_wake;
  QByteArray m_buffer;
  qsizetype m_start = 0;    // of the line not yet returned
  qsizetype m_scanned = 0;  // searched for a newline up to here
  bool m_skipping = false;  // in a line too long to keep
  bool m_ended = false;
  int m_error = 0;
};

// A file in the folder that never has a name, for standard input or a pipe
// while its lines are counted: nothing is left of it however the run ends.
int anonymousFile(int folder) {
  const int fd = ::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)) return fd;
  // File systems without O_TMPFILE (FAT): a name for as long as it takes to remove it.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QByteArray name =
        ".barcode-list-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    const int named = ::openat(folder, name.constData(),
                               O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (named >= 0) {
      ::unlinkat(folder, name.constData(), 0);
      return named;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// The folder and any missing above it; the system's reason when one cannot be made.
QString makeFolders(const QByteArray& path) {
  for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
    const QByteArray part = slash < 0 ? path : path.left(slash);
    if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST) return reason(errno);
    if (slash < 0) break;
  }
  struct stat made {};
  if (::stat(path.constData(), &made) != 0) return reason(errno);
  return S_ISDIR(made.st_mode) ? QString() : reason(ENOTDIR);
}

struct Record {
  qint64 line = 0;
  const Choice* choice = nullptr;
  QString data;
  QString refusal;  // known before drawing, or found by the worker
  QString name;     // in the folder
  QString failure;  // the file cannot be made: the run stops at it
  std::string bytes;
  std::vector<std::string> warnings;  // what falls short of the standard
  QString verdict;                    // --verify: the grade line of a file that does not pass
  bool drawn = false;                 // guarded by the workers' mutex
};

// Draws a record's file, or says why it cannot be.
void draw(Record& record, const BatchRequest& request) {
  const SymbolRequest wanted =
      requestFor(*record.choice, record.data.toStdString(), request.options);
  const auto layout = layoutSymbol(wanted);
  if (const auto* refused = std::get_if<std::string>(&layout)) {
    record.refusal = QString::fromStdString(*refused);
    return;
  }
  const render::Layout& symbol = std::get<render::Layout>(layout);
  const ExportPlan plan = planExport(request.options, symbol);
  record.refusal = QString::fromStdString(sizeRefusal(symbol, plan, DrawnFor::File));
  if (!record.refusal.isEmpty()) return;
  for (const Warning& warning : warningsFor(symbol, plan))
    record.warnings.push_back(warningText(warning));
  record.bytes = render::document(symbol, plan.output);
  if (record.bytes.empty()) {
    record.failure = QStringLiteral("the picture could not be drawn");
    return;
  }
  if (!request.verify) return;
  // Graded here on the worker, reported once the file is written.
  const auto graded = gradeExport(
      QByteArray::fromRawData(record.bytes.data(), static_cast<qsizetype>(record.bytes.size())),
      wanted, plan, request.minGrade);
  if (const auto* why = std::get_if<QString>(&graded))
    record.verdict = QStringLiteral("cannot be graded: ") + *why;
  else if (const FileGrade& grade = std::get<FileGrade>(graded); !grade.passes)
    record.verdict = grade.line;
}

// Workers that live for the whole run (with the caches of glyphs and rows
// they keep), drawing records in the order they were handed out. They take
// none of the signals an Interruption catches.
class Workers {
 public:
  Workers(int count, const BatchRequest& request) : m_request(request) {
    for (int i = 0; i < count; ++i)
      m_threads.emplace_back([this] {
        Interruption::blockInThisThread();
        work();
      });
  }
  ~Workers() { stop(); }
  // What no worker has begun is dropped; what they have begun is finished.
  void stop() {
    {
      std::lock_guard lock(m_mutex);
      m_closing = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads) thread.join();
    m_threads.clear();
  }
  void submit(Record* record) {
    {
      std::lock_guard lock(m_mutex);
      m_queue.push_back(record);
    }
    m_wake.notify_one();
  }
  void waitFor(const Record& record) {
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [&] { return record.drawn; });
  }

 private:
  void work() {
    std::unique_lock lock(m_mutex);
    while (true) {
      m_wake.wait(lock, [this] { return m_closing || !m_queue.empty(); });
      if (m_closing) return;
      Record* record = m_queue.front();
      m_queue.pop_front();
      lock.unlock();
      draw(*record, m_request);
      lock.lock();
      record->drawn = true;
      m_done.notify_all();
    }
  }

  const BatchRequest& m_request;
  std::mutex m_mutex;
  std::condition_variable m_wake, m_done;
  std::deque<Record*> m_queue;
  bool m_closing = false;
  std::vector<std::thread> m_threads;
};

// The names a run has written. A name already taken gets "-2", "-3", ...
// before its extension; each stem remembers the next number to try, so a
// thousand equal names cost a thousand steps, not half a million. Names are
// compared folded (foldedFileName) and kept as 64-bit hashes (about 16 bytes
// a record): a false match only adds a suffix, it never overwrites a file.
class UniqueNames {
 public:
  // The name, or one with a suffix; nothing when every suffix is taken.
  std::optional<QString> claim(const QString& name, const QString& extension) {
    if (m_taken.insert(key(name)).second) return name;
    const QString stem = name.chopped(extension.size() + 1);
    int& next = m_nextSuffix.try_emplace(key(stem), 2).first->second;
    while (next <= kMaxSuffix) {
      QString candidate = stem + QStringLiteral("-%1.").arg(next++) + extension;
      if (m_taken.insert(key(candidate)).second) return candidate;
    }
    return std::nullopt;
  }

 private:
  static std::size_t key(const QString& name) { return qHash(foldedFileName(name), 0); }
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
    m_err << "\r" << done;
    if (m_total >= 0) m_err << " of " << m_total;
    m_err << " lines, " << qRound64(static_cast<double>(done) / seconds) << " per second"
          << (last ? "\n" : "");
    m_err.flush();
  }
  // A message starts on a line of its own.
  void clear() {
    if (m_on && m_shownAt >= 0) m_err << "\r\033[K";
  }

 private:
  QTextStream& m_err;
  qint64 m_total;  // -1: not counted
  bool m_on;
  QElapsedTimer m_clock;
  qint64 m_shownAt = -1;
};

// The list, open for reading once: its lines counted first only when the
// names need the count, from the file itself when it is one, else from a
// copy kept in the folder.
struct OpenList {
  int fd = -1;
  bool owned = false;
  qint64 lines = -1;  // -1: not counted
  ~OpenList() {
    if (owned) ::close(fd);
  }
};

// Reads the whole of from into to (when to >= 0), counting its lines as the
// LineReader numbers them. An error or a signal ends it early.
struct Count {
  qint64 lines = 0;
  int error = 0;
  bool interrupted = false;
};
Count countLines(int from, int to, int wakeFd) {
  Count count;
  char last = '\n';
  std::vector<char> buffer(kReadBlock);
  while (true) {
    pollfd fds[2] = {{from, POLLIN, 0}, {wakeFd, POLLIN, 0}};
    if (::poll(fds, wakeFd >= 0 ? 2 : 1, -1) < 0 && errno != EINTR) {
      count.error = errno;
      break;
    }
    if (wakeFd >= 0 && (fds[1].revents & POLLIN)) {
      count.interrupted = true;
      break;
    }
    const ssize_t n = ::read(from, buffer.data(), buffer.size());
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n < 0) count.error = errno;
    if (n <= 0) break;
    count.lines += std::count(buffer.begin(), buffer.begin() + n, '\n');
    last = buffer[static_cast<std::size_t>(n - 1)];
    if (to >= 0 && !writeAll(to, buffer.data(), n)) {
      count.error = errno;
      break;
    }
  }
  count.lines += last != '\n' ? 1 : 0;
  return count;
}

// A CSV line of exactly two fields: type,data.
bool typeAndData(const QString& text, QString& type, QString& data) {
  const std::optional<QStringList> fields = splitCsvLine(text);
  if (!fields || fields->size() != 2) return false;
  type = fields->at(0);
  data = fields->at(1);
  return true;
}

}  // namespace

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

QString foldedFileName(const QString& name) {
  return name.normalized(QString::NormalizationForm_C)
      .toCaseFolded()
      .normalized(QString::NormalizationForm_C);
}

BatchResult runBatch(const BatchRequest& request, QTextStream& err) {
  const auto fail = [&err](const QString& message, BatchResult status) {
    err << "barcode-generator: " << message << "\n";
    err.flush();
    return status;
  };
  const QString shownList = request.list == "-" ? QStringLiteral("standard input")
                                                : oneLine(fromNativeBytes(request.list));
  const QString shownFolder = oneLine(fromNativeBytes(request.folder));
  if (request.folder.isEmpty())
    return fail(QStringLiteral("--output needs a folder"), BatchResult::BadRequest);
  if (request.nameTemplate.isEmpty())
    return fail(QStringLiteral("--name needs a template"), BatchResult::BadRequest);
  if (batchFileName(request.nameTemplate, 0, 20, QString(), QStringLiteral("code128"),
                    QStringLiteral("png"))
          .toUtf8()
          .size() > 200)
    return fail(QStringLiteral("--name makes names too long for a file system"),
                BatchResult::BadRequest);
  if (request.choice)
    if (const QString problem =
            QString::fromStdString(checkOptionsFor(*request.choice, request.options));
        !problem.isEmpty())
      return fail(problem, BatchResult::BadRequest);
  const int wakeFd = request.interruption ? request.interruption->wakeFd() : -1;
  const auto signalled = [&] {
    return request.interruption && request.interruption->signal() != 0;
  };
  const auto interrupted = [&](qint64 lastWritten) {
    if (lastWritten > 0)
      err << "barcode-generator: interrupted by " << request.interruption->signalName()
          << " after line " << lastWritten << ", the last written; nothing after it was kept\n";
    else
      err << "barcode-generator: interrupted by " << request.interruption->signalName()
          << " before any file was written\n";
    err.flush();
    return BatchResult::Interrupted;
  };

  // The list first: a folder is made only for a list that can be read.
  OpenList list;
  if (request.list == "-") {
    list.fd = STDIN_FILENO;
  } else {
    list.fd = ::open(request.list.constData(), O_RDONLY | O_CLOEXEC);
    if (list.fd < 0)
      return fail(QStringLiteral("%1 cannot be read: %2").arg(shownList, reason(errno)),
                  BatchResult::BadRequest);
    list.owned = true;
  }
  struct stat listKind {};
  if (::fstat(list.fd, &listKind) == 0 && S_ISDIR(listKind.st_mode))
    return fail(QStringLiteral("%1 cannot be read: %2").arg(shownList, reason(EISDIR)),
                BatchResult::BadRequest);
  if (signalled()) return interrupted(0);

  if (const QString problem = makeFolders(request.folder); !problem.isEmpty())
    return fail(QStringLiteral("the folder %1 could not be made: %2").arg(shownFolder, problem),
                BatchResult::NotWritten);
  const int folderFd = ::open(request.folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd < 0)
    return fail(
        QStringLiteral("the folder %1 cannot be opened: %2").arg(shownFolder, reason(errno)),
        BatchResult::NotWritten);
  struct FolderCloser {
    int fd;
    ~FolderCloser() { ::close(fd); }
  } closer{folderFd};

  // {line} is padded to the width of the last line's number, which needs the
  // count before the first name: a file is read twice, anything else (a
  // pipe, a FIFO, a terminal) is kept in a nameless file meanwhile.
  if (request.nameTemplate.contains(QStringLiteral("{line}"))) {
    const off_t start = S_ISREG(listKind.st_mode) ? ::lseek(list.fd, 0, SEEK_CUR) : -1;
    OpenList spool;  // the copy, when the list cannot be read again
    if (start < 0) {
      spool.fd = anonymousFile(folderFd);
      spool.owned = spool.fd >= 0;
    }
    const QString notKept = QStringLiteral("%1 could not be kept in %2 to count its lines: %3");
    if (start < 0 && spool.fd < 0)
      return fail(notKept.arg(shownList, shownFolder, reason(errno)), BatchResult::NotWritten);
    const Count count = countLines(list.fd, spool.fd, wakeFd);
    if (count.interrupted) return interrupted(0);
    if (count.error != 0)
      return fail(start < 0
                      ? notKept.arg(shownList, shownFolder, reason(count.error))
                      : QStringLiteral("%1 cannot be read: %2").arg(shownList, reason(count.error)),
                  BatchResult::NotWritten);
    if (start < 0) {
      std::swap(list.fd, spool.fd);
      std::swap(list.owned, spool.owned);
    }
    if (::lseek(list.fd, std::max<off_t>(start, 0), SEEK_SET) < 0)
      return fail(QStringLiteral("%1 cannot be read again: %2").arg(shownList, reason(errno)),
                  BatchResult::NotWritten);
    list.lines = count.lines;
  }

  // Thousands of pictures of about the same size: keep freed memory for the
  // next one rather than handing it back to the system and faulting it in again.
  mallopt(M_MMAP_THRESHOLD, 16 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);

  const int lineWidth = static_cast<int>(QString::number(std::max<qint64>(list.lines, 1)).size());
  const QString extension = QString::fromLatin1(render::extensionOf(request.options.format));
  const bool namesRepeat = !request.nameTemplate.contains(QStringLiteral("{line}"));
  UniqueNames usedNames;  // only when the template cannot keep names apart

  // A record from a line, named in the list's order; refused before drawing
  // when it cannot make a symbol.
  const auto recordOf = [&](qint64 line, const QByteArray& bytes, bool tooLong) {
    auto record = std::make_unique<Record>();
    record->line = line;
    const QString tooLongForARecord =
        QStringLiteral("longer than the %1 characters a record may have").arg(kMaxInputLength);
    if (tooLong) {
      record->refusal = tooLongForARecord;
      return record;
    }
    const QString text = QString::fromUtf8(bytes);
    QString type;
    if (request.choice) {
      record->choice = request.choice;
      type = QString::fromLatin1(request.choice->key.data(),
                                 static_cast<qsizetype>(request.choice->key.size()));
      record->data = text;
    } else if (!typeAndData(text, type, record->data)) {
      record->refusal = QStringLiteral("expected two fields, type,data");
    } else if (!(record->choice = choiceByKey(type.trimmed().toLower().toStdString()))) {
      record->refusal = QStringLiteral("unknown type \"%1\"").arg(type);
    } else {
      type = type.trimmed().toLower();
      record->refusal = QString::fromStdString(checkOptionsFor(*record->choice, request.options));
    }
    if (record->data.size() > kMaxInputLength) record->refusal = tooLongForARecord;
    if (!record->refusal.isEmpty()) return record;
    const QString name =
        batchFileName(request.nameTemplate, line, lineWidth, record->data, type, extension);
    if (!namesRepeat) {
      record->name = name;
    } else if (const auto unique = usedNames.claim(name, extension)) {
      record->name = *unique;
    } else {
      record->refusal =
          QStringLiteral("%1 and every name with a suffix up to -%2 are taken in this run")
              .arg(name)
              .arg(kMaxSuffix);
    }
    return record;
  };

  const int jobs = std::max(
      1, request.jobs > 0 ? request.jobs : static_cast<int>(std::thread::hardware_concurrency()));
  Progress progress(err, list.lines);
  LineReader reader(list.fd, wakeFd);
  bool refusedAny = false;
  bool failedAny = false;
  qint64 line = 0, lastWritten = 0;
  bool listEnded = false;
  // Lines are handed to the workers a few per worker ahead; the files are
  // written here, one at a time in the list's order, so the files made are
  // always those of the lines before the first one that fails.
  const std::size_t ahead = static_cast<std::size_t>(jobs) * 4;
  std::deque<std::unique_ptr<Record>> inFlight;
  std::unordered_set<std::string> warned;
  Workers workers(jobs, request);
  while (!signalled()) {
    while (!listEnded && inFlight.size() < ahead) {
      QByteArray bytes;
      const auto status = reader.next(bytes, inFlight.empty());
      if (status == LineReader::Status::NotYet || status == LineReader::Status::Interrupted) break;
      if (status == LineReader::Status::End || status == LineReader::Status::Failed) {
        listEnded = true;
        if (status == LineReader::Status::Failed) {
          progress.clear();
          err << "barcode-generator: " << shownList << " could not be read after line " << line
              << ": " << reason(reader.error()) << "\n";
          err.flush();
          return BatchResult::NotWritten;
        }
        break;
      }
      ++line;
      const bool tooLong = status == LineReader::Status::TooLong;
      if (bytes.endsWith('\r')) bytes.chop(1);
      if (!tooLong && bytes.isEmpty()) continue;
      std::unique_ptr<Record> record = recordOf(line, bytes, tooLong);
      if (record->refusal.isEmpty())
        workers.submit(record.get());
      else
        record->drawn = true;
      inFlight.push_back(std::move(record));
    }
    if (signalled()) break;
    if (inFlight.empty()) {
      if (listEnded) break;
      continue;
    }
    Record& record = *inFlight.front();
    workers.waitFor(record);
    if (record.failure.isEmpty() && record.refusal.isEmpty())
      record.failure = QString::fromStdString(writeInFolder(
          folderFd, record.name.toUtf8().toStdString(),
          [&record](const ByteSink& sink) {
            return sink(record.bytes.data(), record.bytes.size());
          },
          Durability::WithFolder));
    // Each warning once, for the first line it concerns.
    for (const std::string& warning : record.warnings)
      if (warned.insert(warning).second) {
        progress.clear();
        err << "line " << record.line << ": warning: " << QString::fromStdString(warning) << "\n";
      }
    if (!record.refusal.isEmpty()) {
      progress.clear();
      err << "line " << record.line << ": " << oneLine(record.refusal) << "\n";
      refusedAny = true;
    } else if (!record.failure.isEmpty()) {
      progress.clear();
      err << "line " << record.line << ": " << shownFolder << "/" << oneLine(record.name)
          << " was not written: " << oneLine(record.failure) << "; stopped\n";
      err.flush();
      return BatchResult::NotWritten;
    } else {
      lastWritten = record.line;
      if (!record.verdict.isEmpty()) {
        progress.clear();
        err << "line " << record.line << ": " << oneLine(record.name) << ": "
            << oneLine(record.verdict) << "\n";
        failedAny = true;
      }
    }
    progress.update(record.line);
    inFlight.pop_front();
  }
  workers.stop();
  // Every file written reaches the disk before the run says it is done.
  const bool durable = ::syncfs(folderFd) == 0;
  const int syncError = errno;
  if (signalled()) {
    progress.clear();
    return interrupted(lastWritten);
  }
  progress.update(line, true);
  if (!durable)
    return fail(QStringLiteral("the files could not be made durable: %1").arg(reason(syncError)),
                BatchResult::NotWritten);
  err.flush();
  return refusedAny  ? BatchResult::SomeRefused
         : failedAny ? BatchResult::SomeDoNotPass
                     : BatchResult::AllWritten;
}

}  // namespace app
