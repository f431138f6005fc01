#include "device/attachment/ordered_runs.h"

#include <system_error>
#include <thread>

namespace tarvolin::attachment {

OrderedRuns::OrderedRuns() : queue_(std::make_shared<Queue>()) {}

bool OrderedRuns::Start(std::function<void()> job) {
  // The ticket is taken and the thread made under the lock, so a thread that cannot be made
  // gives its ticket back before anyone queues behind it.
  std::lock_guard hold(queue_->mutex);
  const std::uint64_t ticket = queue_->next_ticket;
  std::thread thread;
  try {
    thread = std::thread([queue = queue_, ticket, job = std::move(job)] {
      {
        std::unique_lock lock(queue->mutex);
        queue->changed.wait(lock, [&] { return queue->now_serving == ticket; });
      }
      struct Done {
        Queue& queue;
        ~Done() {
          {
            std::lock_guard lock(queue.mutex);
            ++queue.now_serving;
          }
          queue.changed.notify_all();
        }
      } done{*queue};
      job();
    });
  } catch (const std::system_error&) {
    return false;
  }
  ++queue_->next_ticket;
  thread.detach();
  return true;
}

void OrderedRuns::WaitUntilIdle() {
  std::unique_lock lock(queue_->mutex);
  const std::uint64_t last = queue_->next_ticket;
  queue_->changed.wait(lock, [&] { return queue_->now_serving >= last; });
}

}  // namespace tarvolin::attachment
