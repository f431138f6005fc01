#pragma once
#include <gtest/gtest.h>

#include "device/device_channel.h"
#include "vkb/virtual_hid_library.h"

namespace tarvolin::testing {

// A test with a fresh virtual keyboard (factory memory, plugged in) and a DeviceChannel
// bound and subscribed to it in-process. Check effects in vkb().firmware().Snapshot() and
// vkb().traffic().Requests().
class VirtualKeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vkb().Reset();
    ASSERT_TRUE(channel_.Bind(vkb::VirtualHidLibrary::Api()));
    channel_.Subscribe();
    vkb().Drain();
    vkb().traffic().Clear();
  }
  void TearDown() override { vkb().Drain(); }

  vkb::VirtualHidLibrary& vkb() { return vkb::VirtualHidLibrary::Instance(); }
  device::DeviceChannel& channel() { return channel_; }

 private:
  device::DeviceChannel channel_;
};

}  // namespace tarvolin::testing
