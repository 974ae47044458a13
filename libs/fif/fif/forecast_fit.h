#pragma once

#include <vector>

#include "fif/residual.h"

namespace fif {

// The taps that best foretell the plane's mean levels (`levels`, row by row,
// `across` to a row) from their neighbours, by least squares; the corner
// rule alone where the taps would not repay their bits.
ForecastTaps fitForecastTaps(const std::vector<int>& levels, int across);

// The share of the luminance's misses (lumaForecastTerms) that best foretells
// a chroma plane's mean levels with `taps`, by least squares; 0 where it
// would not repay its bits.
int fitLumaShare(const std::vector<int>& levels, int across, const ForecastTaps& taps,
                 const std::vector<int>& guide);

}  // namespace fif
