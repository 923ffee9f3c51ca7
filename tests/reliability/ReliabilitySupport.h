// Helpers of the reliability tests: work run in a child process (killed
// or unprivileged), the whole content of a file read past the
// library, and the engine error hidden in a wrapped facade error.
#pragma once

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <functional>
#include <string>

#include "support/RawSqlite.h"
#include "zazorazari/platform/Error.h"

namespace zaztest {

// The whole content of a file (RawSqlite::Dump), its integrity check and a
// number it holds, or a marker when the file cannot be opened at all.
inline std::string DumpDatabase(const std::string& file) {
  try {
    return RawSqlite(file).Dump();
  } catch (const std::exception&) {
    return "<cannot open>";
  }
}

inline std::string IntegrityCheck(const std::string& file) {
  try {
    return RawSqlite(file).IntegrityCheck();
  } catch (const std::exception&) {
    return "<cannot open>";
  }
}

inline long long QueryNumber(const std::string& file, const std::string& sql) {
  try {
    const std::string value = RawSqlite(file, RawSqlite::Mode::ReadOnly).Scalar(sql);
    return value.empty() ? -1 : std::stoll(value);
  } catch (const std::exception&) {
    return -1;
  }
}

// The engine error number a facade error carries: its own number, or the
// one in the error information text its trap appended.
inline bool CarriesEngineError(const zazorazari::Error& e, int32_t number) {
  return e.Number() == number || e.Description().find("<Error/" + std::to_string(number) + "/") != std::string::npos;
}

// A child process running `work`; its exit code is what `work` returns and
// what it writes to `report` (a pipe end) comes back through Report().
class ChildProcess {
 public:
  explicit ChildProcess(const std::function<int(int report)>& work) {
    int fds[2];
    if (::pipe(fds) != 0) throw std::runtime_error("pipe");
    m_pid = ::fork();
    if (m_pid == 0) {
      ::close(fds[0]);
      int code = 99;
      try {
        code = work(fds[1]);
      } catch (const zazorazari::Error& e) {
        Write(fds[1], "uncaught: " + std::string(e.what()));
      } catch (...) {
        Write(fds[1], "uncaught exception");
      }
      ::_exit(code);
    }
    ::close(fds[1]);
    m_read = fds[0];
  }
  ~ChildProcess() {
    if (m_pid > 0 && !m_reaped) {
      ::kill(m_pid, SIGKILL);
      Wait();
    }
    ::close(m_read);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  static void Write(int fd, const std::string& text) {
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
      const ssize_t n = ::write(fd, p, left);
      if (n <= 0) return;
      p += n;
      left -= static_cast<size_t>(n);
    }
  }

  void Kill() { ::kill(m_pid, SIGKILL); }
  // The raw wait status.
  int Wait() {
    if (!m_reaped) {
      while (::waitpid(m_pid, &m_status, 0) < 0 && errno == EINTR) {
      }
      m_reaped = true;
    }
    return m_status;
  }
  int ExitCode() { return WIFEXITED(Wait()) ? WEXITSTATUS(m_status) : -1; }
  // Everything the child wrote, up to its end (waits for it).
  std::string Report() {
    std::string text;
    char buffer[4096];
    ssize_t n = 0;
    while ((n = ::read(m_read, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
    return text;
  }
  // Blocks until the child writes one byte (a "ready" signal).
  bool AwaitSignal() {
    char c = 0;
    return ::read(m_read, &c, 1) == 1;
  }

 private:
  pid_t m_pid = -1;
  int m_read = -1;
  int m_status = 0;
  bool m_reaped = false;
};

// For a process running as root: the uid and gid of "nobody", which file
// permissions do bind.
inline bool NobodyIds(uid_t& uid, gid_t& gid) {
  const passwd* entry = ::getpwnam("nobody");
  if (entry == nullptr) return false;
  uid = entry->pw_uid;
  gid = entry->pw_gid;
  return true;
}

}  // namespace zaztest
