#include "export/interruption.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

namespace app {

namespace {

constexpr int kCaught[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<int> g_signal{0};
int g_wake[2] = {-1, -1};

void noteSignal(int number) {
  int none = 0;
  g_signal.compare_exchange_strong(none, number);
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(g_wake[1], &byte, 1);
  errno = saved;
}

struct sigaction g_before[std::size(kCaught)];

}  // namespace

Interruption::Interruption() {
  g_signal = 0;
  if (::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) g_wake[0] = g_wake[1] = -1;
  struct sigaction action {};
  action.sa_handler = noteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no SA_RESTART: a blocking read returns, and looks at the signal
  for (std::size_t i = 0; i < std::size(kCaught); ++i) {
    // A signal ignored when the program started (nohup, a background job)
    // stays ignored, as its starter asked.
    ::sigaction(kCaught[i], nullptr, &g_before[i]);
    if (g_before[i].sa_handler != SIG_IGN) ::sigaction(kCaught[i], &action, nullptr);
  }
}

Interruption::~Interruption() {
  for (std::size_t i = 0; i < std::size(kCaught); ++i)
    ::sigaction(kCaught[i], &g_before[i], nullptr);
  for (int& fd : g_wake) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

int Interruption::signal() const { return g_signal.load(); }

int Interruption::wakeFd() const { return g_wake[0]; }

const char* Interruption::signalName() const {
  switch (signal()) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
  }
  return "no signal";
}

void Interruption::blockInThisThread() {
  sigset_t set;
  sigemptyset(&set);
  for (const int number : kCaught) sigaddset(&set, number);
  ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

}  // namespace app
