#pragma once

// Delta T: how far the Earth's clock (universal time, which Japan Standard
// Time follows) lags dynamical time, which the sun and moon series run on.

namespace morvane {

// Delta T in seconds at a decimal year (2017.5 is mid-2017). Observed values
// up to the present, the usual long-term parabola far from it.
double DeltaTSeconds(double year);

} // namespace morvane
