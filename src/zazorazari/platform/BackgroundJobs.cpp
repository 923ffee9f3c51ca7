// Jobs run in order on one other thread (see BackgroundJobs.h).
#include "zazorazari/platform/BackgroundJobs.h"

#include <utility>

namespace zazorazari {

BackgroundJobs::BackgroundJobs(size_t depth)
    : m_depth(depth), m_inline(std::thread::hardware_concurrency() < 2) {}

BackgroundJobs::~BackgroundJobs() { Stop(); }

void BackgroundJobs::Submit(std::function<void()> job) {
  std::unique_lock lock(m_mutex);
  if (m_inline) {
    ThrowFailure();
    try {
      job();
    } catch (...) {
      m_failure = std::current_exception();
      throw;
    }
    return;
  }
  m_changed.wait(lock, [&] { return m_jobs.size() < m_depth || m_failure; });
  ThrowFailure();
  m_jobs.push_back(std::move(job));
  if (!m_thread.joinable()) m_thread = std::thread([this] { Loop(); });
  m_changed.notify_all();
}

void BackgroundJobs::Wait() {
  std::unique_lock lock(m_mutex);
  m_changed.wait(lock, [&] { return m_jobs.empty(); });
  ThrowFailure();
}

void BackgroundJobs::Stop() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
    m_changed.notify_all();
  }
  if (m_thread.joinable()) m_thread.join();
  m_jobs.clear();
  m_failure = nullptr;
  m_stopping = false;
}

void BackgroundJobs::ThrowFailure() const {
  if (m_failure) std::rethrow_exception(m_failure);
}

void BackgroundJobs::Loop() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [&] { return !m_jobs.empty() || m_stopping; });
    if (m_stopping) return;
    std::function<void()>& job = m_jobs.front();
    lock.unlock();
    std::exception_ptr failure;
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    m_jobs.pop_front();
    if (failure) {
      m_failure = failure;
      m_jobs.clear();  // what came after the failure is not done
    }
    m_changed.notify_all();
  }
}

}  // namespace zazorazari
