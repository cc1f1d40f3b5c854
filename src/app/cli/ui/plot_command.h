#pragma once
// The plot command: a measurement file drawn as the monitoring chart shows it, saved as a PNG,
// SVG or PDF picture. It needs the widget application, which it makes itself.

namespace korvanta::app::cli::ui {

// Runs "korvanta-cli plot …" from the program's own arguments and gives the exit status. Without
// a platform chosen by the user, the offscreen one is taken, so no display is needed.
int runPlot(int& argc, char** argv);

} // namespace korvanta::app::cli::ui
