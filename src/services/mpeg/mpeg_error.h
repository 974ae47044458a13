#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>

// A failure of the MPEG library or of the component's use of it: the message
// and the 8-bit code (the library's error code, or one of the component's own).
class TMPEGError : public std::runtime_error {
 public:
  TMPEGError(const QString& message, uint8_t code)
      : std::runtime_error(message.toStdString()), Message(message), Code(code) {}

  // The library's code for a call its player's state does not allow.
  static constexpr uint8_t kIncorrectMode = 2;

  // The message for a library error code.
  static TMPEGError fromCode(int code);

  QString Message;
  uint8_t Code;
};
