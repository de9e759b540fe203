#pragma once
// Lays printed lines out on pages in a fixed-pitch font, breaking long lines
// at the page's width and starting new pages as they fill.

#include <string>
#include <vector>

class QPagedPaintDevice;

namespace ostrel::ui {

// False when the device could not be painted on (no printer, unwritable file).
bool PrintPage(QPagedPaintDevice& device, const std::vector<std::string>& lines);

}  // namespace ostrel::ui
