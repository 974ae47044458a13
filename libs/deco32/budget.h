#pragma once

#include <cstddef>
#include <cstdint>

#include "fif/format.h"

// What a file may make the library do before it has been read, so a small
// crafted file can neither take gigabytes nor freeze the caller: the
// transforms it may declare, and the memory a render at a given size needs.
namespace deco {

// Largest memory one render may use, its output included.
constexpr std::int64_t kRenderBudget = std::int64_t(1) << 30;
// Most transforms one file may carry, within the same budget as a render:
// while their list grows it holds the old copy and the new one, three times
// the list at most. Far beyond what any picture the library renders needs.
constexpr std::int64_t kMaxTransforms = kRenderBudget / (3 * std::int64_t(sizeof(fif::Transform)));
// Most residual levels one file may carry, eight bytes each.
constexpr std::int64_t kMaxLevels = std::int64_t(64) << 20;

// False when the payload has fewer bytes than the picture's blocks need even
// at the coder's best: the file cannot be whole.
bool bytesHoldBlocks(const fif::Header& header, std::size_t payloadBytes);
// False when the file could carry more transforms or residual levels than
// the library takes.
bool transformsWithinBudget(const fif::Header& header, std::size_t payloadBytes);

// The memory rendering the file at width x height needs, in bytes.
std::int64_t renderBytes(const fif::Header& header, int width, int height);

}  // namespace deco
