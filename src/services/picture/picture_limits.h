#pragma once

#include <QtGlobal>

// Declared sizes come from files we do not trust: every decoder asks here
// before it allocates pixels, so a hostile header cannot take gigabytes.
namespace picture_limits {

// Largest width or height accepted, in pixels.
constexpr qint64 kMaxSide = 32767;
// Largest decoded picture, in bytes of 32-bit pixels.
constexpr qint64 kMaxBytes = qint64(512) << 20;

// Throws InvalidGraphic for a non-positive or oversized side, and refuses a
// picture larger than the memory the machine has available.
void checkSize(qint64 width, qint64 height);
// The sides alone, for vector pictures, which need no pixels of their size.
void checkSides(qint64 width, qint64 height);

}  // namespace picture_limits
