#pragma once

#include <cstdint>

struct MemoryStatus {
  std::uint64_t totalPhysical = 0;
  std::uint64_t availablePhysical = 0;
  std::uint64_t availableSwap = 0;
};

// Memory and processor facts for the system status report.
class SystemInformation {
 public:
  virtual ~SystemInformation() = default;
  virtual MemoryStatus memoryStatus() const = 0;
  // 386, 486 or 586 as a 32-bit processor of those families reports itself;
  // 0 for anything else.
  virtual int processorType() const = 0;
};

// /proc/meminfo (byte counts, 64-bit) and the processor's own family number.
class LinuxSystemInformation : public SystemInformation {
 public:
  MemoryStatus memoryStatus() const override;
  int processorType() const override;
};

// Reads the three counts from /proc/meminfo text ("MemTotal:  16318440 kB").
MemoryStatus parseMeminfo(const char* text);
// The processor type for a CPUID family on a 32-bit or 64-bit system.
int processorTypeForFamily(int family, bool thirtyTwoBit);
