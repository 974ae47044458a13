#pragma once

// Ending the process at once, where the program must not go on (a second
// copy, a drive held by another program, large fonts).
class ProcessControl {
 public:
  virtual ~ProcessControl() = default;
  [[noreturn]] virtual void halt(int exitCode) = 0;
};

class SystemProcessControl : public ProcessControl {
 public:
  [[noreturn]] void halt(int exitCode) override;
};
