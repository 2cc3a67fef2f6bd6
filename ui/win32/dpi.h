// DPI awareness and the scale between design pixels and physical pixels.
#pragma once

namespace vorbel {

// Asks for per-monitor (or at least system) DPI awareness, so that window
// sizes and screen captures are physical pixels. Safe to call repeatedly;
// later calls change nothing.
void make_process_dpi_aware();

// Pixels per logical inch of the primary display (96 at 100 %).
int display_dpi();

// Converts between design pixels (96 per inch) and physical pixels at
// `dpi`, rounding to the nearest pixel.
int design_to_physical(int design, int dpi);
int physical_to_design(int physical, int dpi);

}  // namespace vorbel
