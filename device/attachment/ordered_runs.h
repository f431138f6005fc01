#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

namespace tarvolin::attachment {

// Runs each job on a new thread of its own, one after the other in the order they were
// started: a job begins only when every job started before it has ended. A fast unplug and
// replug thus handles its device counts in the order the keyboard reported them.
class OrderedRuns {
 public:
  OrderedRuns();
  OrderedRuns(const OrderedRuns&) = delete;
  OrderedRuns& operator=(const OrderedRuns&) = delete;

  // Returns at once; the job runs later on its own thread. The threads keep the queue's
  // state alive themselves, so this object may go while jobs still wait. False when no
  // thread could be made: the job is dropped and the queue goes on.
  bool Start(std::function<void()> job);
  // Returns once every job started so far has ended.
  void WaitUntilIdle();

 private:
  struct Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::uint64_t next_ticket = 0;
    std::uint64_t now_serving = 0;
  };
  std::shared_ptr<Queue> queue_;
};

}  // namespace tarvolin::attachment
