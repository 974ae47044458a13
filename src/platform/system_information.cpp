#include "platform/system_information.h"

#include <QFile>
#include <QString>
#include <QStringList>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#endif

MemoryStatus parseMeminfo(const char* text) {
  MemoryStatus status;
  for (const QString& line : QString::fromLatin1(text).split('\n')) {
    const QStringList parts = line.simplified().split(' ');
    if (parts.size() < 2) continue;
    const std::uint64_t bytes = parts[1].toULongLong() * (parts.value(2) == "kB" ? 1024 : 1);
    if (parts[0] == "MemTotal:") status.totalPhysical = bytes;
    if (parts[0] == "MemAvailable:") status.availablePhysical = bytes;
    if (parts[0] == "SwapFree:") status.availableSwap = bytes;
  }
  return status;
}

int processorTypeForFamily(int family, bool thirtyTwoBit) {
  if (family == 3) return 386;
  if (family == 4) return 486;
  if (family >= 5 && thirtyTwoBit) return 586;
  return 0;
}

MemoryStatus LinuxSystemInformation::memoryStatus() const {
  QFile meminfo("/proc/meminfo");
  if (!meminfo.open(QIODevice::ReadOnly)) return {};
  return parseMeminfo(meminfo.readAll().constData());
}

int LinuxSystemInformation::processorType() const {
#if defined(__i386__) || defined(__x86_64__)
  unsigned int eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return 0;
  const int family = static_cast<int>((eax >> 8) & 0xF);
  return processorTypeForFamily(family, sizeof(void*) == 4);
#else
  return 0;
#endif
}
