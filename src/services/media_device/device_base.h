#pragma once

#include <optional>

#include "services/media_device/media_device.h"
#include "services/media_device/notification.h"

// What every device keeps between commands: where the next play starts and
// ends and whether it is notified, the completion event owed, the last error.
class DeviceBase : public MediaDevice {
 public:
  void setStart(std::uint32_t position) override { start_ = position; }
  void setEnd(std::uint32_t position) override { end_ = position; }
  void setNotify(bool notify) override { notify_ = notify; }
  void onNotify(std::function<void(NotifyResult)> handler) override {
    notification_.setHandler(std::move(handler));
  }
  DeviceErrorCode lastError() const override { return lastError_; }

 protected:
  struct PlayRequest {
    std::optional<std::uint32_t> start;
    std::optional<std::uint32_t> end;
    bool notify = false;
  };
  // The request applies to one play only.
  PlayRequest takePlayRequest() {
    PlayRequest request{start_, end_, notify_};
    start_.reset();
    end_.reset();
    notify_ = false;
    return request;
  }

  // Runs a command: a failure is remembered as the last error and thrown on.
  template <typename Command>
  void run(Command command) {
    try {
      command();
      lastError_ = DeviceErrorCode::None;
    } catch (const MediaDeviceError& error) {
      lastError_ = error.code();
      throw;
    }
  }

  Notification notification_;
  DeviceErrorCode lastError_ = DeviceErrorCode::None;

 private:
  std::optional<std::uint32_t> start_;
  std::optional<std::uint32_t> end_;
  bool notify_ = false;
};
