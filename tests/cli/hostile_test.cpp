// The program against what a hostile or unlucky user gives it: sizes no one
// means, lists from pipes, names that are not text, names a file system takes
// for one, signals, a full disk, control characters, enormous lines. Each row
// is a bash script run in a fresh temporary folder with $BG the program; the
// shell and coreutils are the independent judges of what is on disk.
#include <gtest/gtest.h>
#include <signal.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kSkipped = 77;  // the script could not set up what it needs

struct Row {
  const char* name;
  const char* script;  // a line "FAIL: ..." on standard error fails the row
  int status;
  const char* says;    // on standard error
  const char* folder;  // listed afterwards, hidden files too; null: not listed
  const char* files;   // its files, sorted, separated by spaces
};

const Row kRows[] = {
    // A BMP holds a bit a dot: 20 dots a module make it 187,630 bytes.
    {"a BMP over the format's byte limit is refused before the old file is touched",
     R"sh(printf old > old.bmp
        BG_LIMITS=bmp-bytes=100000 "$BG" --type code128 --data 'Hi 128' --dots 20 --output old.bmp
        s=$?
        [ "$(cat old.bmp)" = old ] || echo "FAIL: the old file changed" >&2; exit $s)sh",
     3, "bytes; BMP holds at most 100000", ".", "old.bmp"},
    // PNG and BMP are written a row at a time; a picture held whole is the
    // one --verify reads back.
    {"a picture to read back over the pixel limit is refused with its size",
     R"sh(BG_LIMITS=file-pixels=10000 "$BG" --type code39 --data A --verify --output a.png)sh", 3,
     "to read it back, 268 x 138 dots is 36984 dots, more than the 10000", ".", ""},
    {"a PDF page beyond 14,400 units is refused",
     R"sh("$BG" --type code128 --data "$(head -c 1500 /dev/zero | tr '\0' A)" --output p.pdf)sh", 3,
     "PDF pages have at most 14400 a side", ".", ""},
    {"a write cut short by the file size limit fails and keeps the old file",
     R"sh(printf old > old.bmp
        (ulimit -f 100; "$BG" --type code128 --data ABCDEFGHIJ --dots 20 --output old.bmp); s=$?
        [ "$(cat old.bmp)" = old ] || echo "FAIL: the old file changed" >&2; exit $s)sh",
     3, "File too large", ".", "old.bmp"},
    // Read and graded: it passes only when both readers read it. Its bars are the 15 % of
    // its 1.96 m that a linear symbol asks for: 23,100 by 3,719 dots, 86 million in all.
    {"--verify reads a file past Qt's 128 MB image reader limit",
     R"sh("$BG" --type code128 --data "$(head -c 100 /dev/zero | tr '\0' A)" --dots 20 \
          --verify --output v.png)sh",
     0, "", ".", "v.png"},
    {"a list from process substitution, counted for {line}",
     R"sh("$BG" --batch <(printf 'A1\nB2\n') --type code39 --output out)sh", 0, "", "out",
     "1_A1.png 2_B2.png"},
    {"a list from /dev/stdin on a pipe, streamed",
     R"sh(printf 'A1\nB2\n' | "$BG" --batch /dev/stdin --type code39 --name '{data}' \
          --output out)sh",
     0, "", "out", "A1.png B2.png"},
    {"a list from a FIFO",
     R"sh(mkfifo list; printf 'X\nY\n' > list & "$BG" --batch list --type code39 --output out)sh",
     0, "", "out", "1_X.png 2_Y.png"},
    {"an output name that is not UTF-8 is written under its bytes, not a look-alike's",
     R"sh(mkdir $'d\xff' $'d\xef\xbf\xbd'
        "$BG" --type code39 --data A --output $'d\xff/a.png' || exit
        [ -f $'d\xff/a.png' ] || echo "FAIL: not written under its bytes" >&2
        [ -z "$(ls -A $'d\xef\xbf\xbd')" ] || echo "FAIL: written into the look-alike" >&2)sh",
     0, "", nullptr, ""},
    {"a list and a folder whose names are not UTF-8",
     R"sh(mkdir $'l\xff'; printf 'Q\n' > $'l\xff/list'
        "$BG" --batch $'l\xff/list' --type code39 --output $'o\xfe' || exit
        [ -f $'o\xfe/1_Q.png' ] || echo "FAIL: not in the folder named" >&2)sh",
     0, "", nullptr, ""},
    {"a name that is not UTF-8 is shown with its odd byte",
     R"sh("$BG" --type code39 --data A --output $'no\xff/x.png')sh", 3,
     "no\\xFF/x.png was not written", nullptr, ""},
    {"names that differ only by case never share a file, as a case-folding disk sees them",
     R"sh(printf 'abc\nABC\nAbc\n' | "$BG" --batch - --type code128 --name '{data}' --output out
        s=$?; [ -z "$(ls out | tr A-Z a-z | sort | uniq -d)" ] || echo "FAIL: folded alike" >&2
        exit $s)sh",
     0, "", "out", "ABC-2.png Abc-3.png abc.png"},
    {"SIGINT while writing: the files are lines 1 to the one reported, no scraps, none later",
     // A background job starts with SIGINT ignored: env gives it back.
     R"sh(seq 1 3000000 | env --default-signal=INT "$BG" --batch - --type code128 --name '{data}' \
          --output out 2>err &
        pid=$!
        until [ -n "$(ls out 2>/dev/null)" ]; do sleep 0.05; done
        kill -INT $pid; wait $pid; s=$?; cat err >&2
        last=$(grep -o 'after line [0-9]*' err | grep -o '[0-9]*$')
        [ "$(ls -A out | wc -l)" = "$last" ] && [ "$(ls -A out | sort -n | tail -1)" = "$last.png" ] ||
          echo "FAIL: not exactly lines 1 to $last" >&2
        echo Z | "$BG" --batch - --type code128 --name '{data}' --output out
        [ -z "$(ls -A out | grep -v '^[0-9Z]*\.png$')" ] || echo "FAIL: scraps" >&2; exit $s)sh",
     130, "interrupted by SIGINT after line", nullptr, ""},
    {"SIGTERM while a piped list is counted leaves nothing of its copy",
     R"sh(seq 1 1000000000 | "$BG" --batch - --type code39 --output out &
        pid=$!; until [ -d out ]; do sleep 0.05; done; kill -TERM $pid; wait $pid)sh",
     143, "interrupted by SIGTERM before any file was written", "out", ""},
    {"SIGHUP while waiting for more of a FIFO",
     R"sh(mkfifo list; exec 3<>list; printf 'A\nB\n' >&3
        "$BG" --batch list --type code39 --name '{data}' --output out &
        pid=$!; until [ -f out/B.png ]; do sleep 0.05; done; kill -HUP $pid; wait $pid)sh",
     129, "after line 2, the last written", "out", "A.png B.png"},
    {"a full disk with 4 jobs: exactly the lines before the one named",
     R"sh([ "$(id -u)" = 0 ] || exit 77; mkdir m; mount -t tmpfs -o size=64k tmpfs m || exit 77
        seq 1 400 | sed 's/^/Record /' > list
        "$BG" --batch list --type code128 --jobs 4 --output m/out 2>err; s=$?; cat err >&2
        n=$(grep -o '^line [0-9]*' err | grep -o '[0-9]*$'); i=1
        [ -n "$n" ] || echo "FAIL: no line named" >&2
        while [ $i -lt "${n:-0}" ]; do
          [ -f "m/out/$(printf %03d $i)_Record $i.png" ] || echo "FAIL: line $i missing" >&2
          i=$((i + 1)); done
        [ "$(ls -A m/out | wc -l)" = $((n - 1)) ] || echo "FAIL: not only lines 1 to $((n - 1))" >&2
        umount m; exit $s)sh",
     3, "No space left on device; stopped", nullptr, ""},
    {"standard input on a full disk gives the system's reason",
     R"sh([ "$(id -u)" = 0 ] || exit 77; mkdir m; mount -t tmpfs -o size=64k tmpfs m || exit 77
        seq 1 100000 | "$BG" --batch - --type code128 --output m/out; s=$?
        [ -z "$(ls -A m/out)" ] || echo "FAIL: something left" >&2; umount m; exit $s)sh",
     3, "to count its lines: No space left on device", nullptr, ""},
    {"an escape sequence in a list reaches standard error escaped",
     R"sh(printf 'a\x1b]0;title\x07b\nOK\n' | "$BG" --batch - --type code39 --output out)sh", 1,
     "line 1: \\x1b is Invalid at position 2", "out", "2_OK.png"},
    {"a newline in --data keeps the message on one line",
     R"sh("$BG" --type code39 --data $'a\nb' --output a.png)sh", 1, "\\n is Invalid at position 2",
     ".", ""},
    {"a 1 MB line is refused by its number and the next one written",
     R"sh({ head -c 1000000 /dev/zero | tr '\0' A; printf '\nok\n'; } |
          "$BG" --batch - --type code128 --output out)sh",
     1, "line 1: longer than the 32767 characters", "out", "2_ok.png"},
    {"--data beyond the input limit is refused",
     R"sh("$BG" --type code128 --data "$(head -c 40000 /dev/zero | tr '\0' A)" --output a.png)sh",
     1, "more than the 32767", ".", ""},
    {"batch --output '' is refused", R"sh("$BG" --batch - --type code39 --output '' < /dev/null)sh",
     2, "--output needs a folder", ".", ""},
    {"a missing list makes no folder", R"sh("$BG" --batch none --type code39 --output out)sh", 2,
     "none cannot be read: No such file or directory", ".", ""},
    {"a folder that cannot be made says why",
     R"sh(touch f; "$BG" --batch <(echo A) --type code39 --output f/sub)sh", 3,
     "could not be made: Not a directory", ".", "f"},
    {"--check with Codabar is refused in a CSV line, as in a single export",
     R"sh(printf 'codabar,A123B\ncode39,X\n' | "$BG" --batch - --check --output out)sh", 1,
     "line 1: Codabar has no check character", "out", "2_X.png"},
    // The labels read lists as the batch does; poppler draws the page, zbarimg reads it.
    {"labels from process substitution",
     R"sh("$BG" --labels L7160 --type code39 --batch <(printf 'A1\nB2\n') --output s.pdf || exit
        pdftoppm -r 300 -png s.pdf page && [ "$(zbarimg -q page-1.png | sort | tr '\n' ' ')" = \
          "CODE-39:A1 CODE-39:B2 " ] || echo "FAIL: not the two labels" >&2; rm -f page-1.png)sh",
     0, "", ".", "s.pdf"},
    {"labels from a FIFO written slowly",
     R"sh(mkfifo list; (printf 'X1\n'; sleep 1; printf 'Y2\n') > list &
        "$BG" --labels L7160 --type code39 --batch list --output s.pdf || exit
        pdftoppm -r 300 -png s.pdf page && [ "$(zbarimg -q page-1.png | sort | tr '\n' ' ')" = \
          "CODE-39:X1 CODE-39:Y2 " ] || echo "FAIL: not the two labels" >&2; rm -f page-1.png)sh",
     0, "", ".", "list s.pdf"},
    {"single-dash long options work", R"sh("$BG" -type code39 -data A -output a.png)sh", 0, "", ".",
     "a.png"},
    {"a single-dash option that is not one is a usage error, not the window",
     R"sh("$BG" -type code39 -colour)sh", 2, "Usage:", ".", ""},
};

TEST(HostileCommandLine, CasesAgainstTheProgram) {
  QStringList skipped;
  for (const Row& row : kRows) {
    QTemporaryDir dir;
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("BG"), QStringLiteral(BG_PROGRAM));
    shell.setProcessEnvironment(environment);
    shell.setWorkingDirectory(dir.path());
    // A session of its own, so that all it starts can be ended with it.
    shell.start(QStringLiteral("setsid"),
                {QStringLiteral("bash"), QStringLiteral("-c"), QString::fromUtf8(row.script)});
    if (!shell.waitForFinished(300000)) {
      ::kill(-static_cast<pid_t>(shell.processId()), SIGKILL);
      shell.waitForFinished();
      ADD_FAILURE() << row.name << ": did not end";
    }
    const int status = shell.exitStatus() == QProcess::NormalExit ? shell.exitCode() : -1;
    if (status == kSkipped) {
      skipped << QString::fromUtf8(row.name);
      continue;
    }
    const QString err = QString::fromUtf8(shell.readAllStandardError());
    EXPECT_EQ(status, row.status) << row.name << ": " << qPrintable(err);
    EXPECT_TRUE(err.contains(QString::fromUtf8(row.says))) << row.name << ": " << qPrintable(err);
    for (const QString& line : err.split(QLatin1Char('\n'))) {
      EXPECT_FALSE(line.startsWith(QLatin1String("FAIL:"))) << row.name << ": " << qPrintable(line);
      // Every message is one line that cannot drive the terminal.
      EXPECT_FALSE(std::any_of(line.begin(), line.end(), [](QChar c) { return c < u' '; }))
          << row.name << ": " << qPrintable(line);
    }
    if (row.folder) {
      QStringList listed =
          QDir(dir.filePath(QString::fromUtf8(row.folder)))
              .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
      std::sort(listed.begin(), listed.end());  // by code unit, whatever the locale
      EXPECT_EQ(listed.join(QLatin1Char(' ')), QString::fromUtf8(row.files)) << row.name;
    }
    // Qt cannot name what is not UTF-8 to remove it.
    QProcess::execute(QStringLiteral("rm"), {QStringLiteral("-rf"), dir.path()});
  }
  if (!skipped.isEmpty())
    std::printf("Skipped (root and tmpfs needed): %s\n", qPrintable(skipped.join("; ")));
}

}  // namespace
