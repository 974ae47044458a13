#pragma once

#include <QString>
#include <cstdint>

// A count with the locale's thousands separator every three digits and at
// least one digit ("####,###,##0").
QString formatCount(std::uint64_t count);
