#pragma once

namespace app {

// While one lives, SIGINT, SIGTERM and SIGHUP no longer end the process at
// once: the signal is noted and wakeFd() becomes readable, so that a long
// run stops between two files, removes what it had begun and says where it
// stopped. A signal the program was started with ignored stays ignored; the
// handlers before it come back when it goes.
class Interruption {
 public:
  Interruption();
  ~Interruption();
  Interruption(const Interruption&) = delete;
  Interruption& operator=(const Interruption&) = delete;

  // The signal that arrived first, or 0.
  int signal() const;
  // Readable once a signal has arrived: a reader waits on it beside its input.
  int wakeFd() const;
  // The exit status a shell gives a process the signal ended: 128 + the signal.
  int exitStatus() const { return 128 + signal(); }
  // "SIGINT", "SIGTERM", "SIGHUP".
  const char* signalName() const;

  // The signals it catches, blocked in the calling thread: workers take none,
  // so the thread that reads is the one whose wait they end.
  static void blockInThisThread();
};

}  // namespace app
