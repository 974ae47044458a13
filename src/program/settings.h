#pragma once

#include <cstdint>

// The stored preferences, named after their stored values, with the defaults
// that a failed load falls back to. `CurrentStatus` is this run's status
// checking setting and is not stored.
struct Settings {
  std::int32_t Tips = 0;
  std::int32_t Bold = 1;
  std::int32_t Min = 0;
  std::int32_t Size = 10;
  std::int32_t Normal = 1;
  std::int32_t AVI = 0;
  std::int32_t Time = 0;
  std::int32_t Icon = 0;
  std::int32_t Delay = 4;
  bool Random = false;
  std::int32_t Status = 0;
  std::int32_t Colour = 0x00FF0000;  // 0x00BBGGRR: blue
  bool Reminder = true;
  bool PlayCheck = true;
  bool Active = false;
  std::int32_t CDDrive = 0;

  std::int32_t CurrentStatus = 0;
};

// The values "Default all settings" gives. Unlike a failed load, it turns the
// reminder off; `PlayCheck` and `Active` keep what they hold.
void applyMenuDefaults(Settings& settings);
