#include "textio/file_removal.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "textio/io_error.h"

namespace textio {
namespace {

struct Remover {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::string> queue;
  std::string busy;  // being removed now
  bool stopping = false;
  std::string failed_path;  // the first removal that failed, and why
  int failed_error = 0;
  std::thread worker;

  ~Remover() {
    {
      std::lock_guard<std::mutex> lock(mutex);
      stopping = true;
    }
    changed.notify_all();
    if (worker.joinable())
      worker.join();
  }

  bool pending(const std::string& path) const {
    return busy == path || std::find(queue.begin(), queue.end(), path) != queue.end();
  }

  void work() {
    std::unique_lock<std::mutex> lock(mutex);
    for (;;) {
      changed.wait(lock, [this] { return stopping || !queue.empty(); });
      if (queue.empty())
        return;  // stopping, nothing left
      busy = std::move(queue.front());
      queue.pop_front();
      lock.unlock();
      errno = 0;
      const bool removed = std::remove(busy.c_str()) == 0;
      const int error = errno != 0 ? errno : EIO;
      lock.lock();
      if (!removed && failed_path.empty()) {
        failed_path = busy;
        failed_error = error;
      }
      busy.clear();
      changed.notify_all();
    }
  }
};

Remover& remover() {
  static Remover r;
  return r;
}

}  // namespace

void remove_later(std::string path) {
  Remover& r = remover();
  {
    std::lock_guard<std::mutex> lock(r.mutex);
    if (!r.worker.joinable())
      r.worker = std::thread([&r] { r.work(); });
    r.queue.push_back(std::move(path));
  }
  r.changed.notify_all();
}

void wait_for_removal(const std::string& path) {
  Remover& r = remover();
  std::unique_lock<std::mutex> lock(r.mutex);
  r.changed.wait(lock, [&] { return !r.pending(path); });
}

void finish_removals() {
  Remover& r = remover();
  std::unique_lock<std::mutex> lock(r.mutex);
  r.changed.wait(lock, [&] { return r.queue.empty() && r.busy.empty(); });
  if (!r.failed_path.empty()) {
    const std::string path = std::exchange(r.failed_path, std::string());
    throw IoError(path, std::string("cannot remove the file an output replaced: ") +
                            std::strerror(r.failed_error));
  }
}

}  // namespace textio
