#include "captured_sound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cmath>
#include <cstring>

CapturedSound CapturedSound::read(const QString& path) {
  CapturedSound sound;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return sound;
  const QByteArray bytes = file.readAll();
  const auto frames = static_cast<std::size_t>(bytes.size()) / 4;
  sound.mono_.resize(frames);
  for (std::size_t i = 0; i < frames; ++i) {
    std::int16_t pair[2];
    std::memcpy(pair, bytes.constData() + 4 * i, 4);
    sound.mono_[i] = (pair[0] + pair[1]) / 65536.0f;
  }
  return sound;
}

double CapturedSound::audibleSeconds() const {
  constexpr std::size_t kBlock = 441;
  std::size_t loud = 0;
  for (std::size_t at = 0; at + kBlock <= mono_.size(); at += kBlock) {
    double energy = 0;
    for (std::size_t i = at; i < at + kBlock; ++i) energy += mono_[i] * mono_[i];
    if (std::sqrt(energy / kBlock) > 0.01) loud += kBlock;
  }
  return static_cast<double>(loud) / kRate;
}

double CapturedSound::strongest(const std::vector<double>& candidates, double from,
                                double to) const {
  const auto first = static_cast<std::size_t>(std::max(0.0, from) * kRate);
  const auto last = std::min(mono_.size(), static_cast<std::size_t>(to * kRate));
  double best = 0;
  double bestPower = -1;
  for (double frequency : candidates) {
    // Goertzel: the power of one frequency.
    const double coefficient = 2 * std::cos(2 * M_PI * frequency / kRate);
    double previous = 0, beforePrevious = 0;
    for (std::size_t i = first; i < last; ++i) {
      const double current = mono_[i] + coefficient * previous - beforePrevious;
      beforePrevious = previous;
      previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    if (power > bestPower) {
      bestPower = power;
      best = frequency;
    }
  }
  return best;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(5);
  }
  return true;
}
