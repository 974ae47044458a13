#pragma once

#include <vector>

#include "fif/residual.h"

namespace fif {

// The taps that best foretell the plane's mean levels (`levels`, row by row,
// `across` to a row) from their neighbours, by least squares; the corner
// rule alone where the taps would not repay their bits.
ForecastTaps fitForecastTaps(const std::vector<int>& levels, int across);

}  // namespace fif
