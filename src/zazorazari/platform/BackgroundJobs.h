// Runs jobs one after another on a thread of its own, in the order they were
// submitted, so that the caller prepares the next job while the last one
// runs: a bulk writer converts rows while SQLite inserts the rows before.
//
// At most `depth` jobs wait; Submit blocks beyond that. A job that throws
// stops the others: the jobs after it are dropped, and every Submit or Wait
// after it throws its exception, so that nothing the caller meant to come
// after the failed job is done. A job may use what the caller uses (an
// SQLite connection) only while the caller waits for it: the caller calls
// Wait before it uses that again. With a single core the jobs run inside
// Submit.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace zazorazari {

class BackgroundJobs {
 public:
  explicit BackgroundJobs(size_t depth);
  // Stop()s.
  ~BackgroundJobs();
  BackgroundJobs(const BackgroundJobs&) = delete;
  BackgroundJobs& operator=(const BackgroundJobs&) = delete;

  void Submit(std::function<void()> job);
  // Returns once every job submitted has run; throws a job's exception.
  void Wait();
  // Drops the jobs still waiting and returns once the running one has
  // ended; a job's exception is forgotten.
  void Stop();

 private:
  void Loop();
  void ThrowFailure() const;  // with the lock held

  const size_t m_depth;
  const bool m_inline;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<std::function<void()>> m_jobs;  // the front one runs
  bool m_stopping = false;
  std::exception_ptr m_failure;
  std::thread m_thread;  // started by the first Submit
};

}  // namespace zazorazari
