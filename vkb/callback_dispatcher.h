#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "device/hid_library.h"

namespace tarvolin::vkb {

// The subscriptions of one process and the library's own thread that calls them: replies,
// device-count changes and event codes reach the callbacks in the order they were posted, with
// the event records the channel reads. Shared by the in-process library and the DLL's client
// of the keyboard host.
class CallbackDispatcher {
 public:
  CallbackDispatcher();
  ~CallbackDispatcher();
  CallbackDispatcher(const CallbackDispatcher&) = delete;
  CallbackDispatcher& operator=(const CallbackDispatcher&) = delete;

  std::uint32_t Subscribe(const device::DeviceSelector& selector, device::InputCallback callback,
                          std::uint32_t context);
  // An id for a request that keeps no callback (the status write).
  std::uint32_t NewUnitId();
  void Cancel(std::uint32_t unit_id);
  void CancelAll();

  // Input on the control or consumer interface goes to that interface's subscriptions; a new
  // device count goes to every subscription, as the library tells each of them.
  void PostControlInput(std::vector<std::uint8_t> bytes);
  void PostConsumerInput(std::uint16_t event_code);
  void PostDeviceCount(std::uint32_t count);
  // Any work that must run on the library's thread, in order with the deliveries.
  void Post(std::function<void()> work);

  // Waits until everything posted so far has run.
  void Drain();

 private:
  struct Subscription {
    std::uint32_t id;
    device::DeviceSelector selector;
    device::InputCallback callback;
    std::uint32_t context;
  };
  enum class Target { kControl, kConsumer, kEvery };
  void Deliver(Target target, std::uint32_t kind, const std::vector<std::uint8_t>& input,
               std::uint32_t count);
  void Loop();

  std::mutex mutex_;
  std::condition_variable queue_cv_;
  std::condition_variable drained_cv_;
  std::deque<std::function<void()>> queue_;
  bool running_work_ = false;
  bool stopping_ = false;
  std::uint32_t next_unit_ = 1;
  std::vector<Subscription> subscriptions_;
  std::thread thread_;
};

}  // namespace tarvolin::vkb
