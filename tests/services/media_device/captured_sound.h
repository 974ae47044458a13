#pragma once

#include <QString>
#include <functional>
#include <vector>

// What a capture output received: 16-bit stereo at 44.1 kHz, mixed to mono.
class CapturedSound {
 public:
  static CapturedSound read(const QString& path);

  double seconds() const { return static_cast<double>(mono_.size()) / kRate; }
  // Seconds of sound louder than a whisper.
  double audibleSeconds() const;
  // Of the candidates, the frequency strongest in [from, to) seconds.
  double strongest(const std::vector<double>& candidates, double from, double to) const;

 private:
  static constexpr int kRate = 44100;
  std::vector<float> mono_;
};

// Processes events until the condition holds; false on timing out.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);
