#pragma once

#include <cstdint>
#include <string>

class WindowHost;
class QMdiSubWindow;

namespace tornel {
class TGraphRecord;
}

// The main window's static command once its description was confirmed: the
// static window with its saved settings; after OK the settings are stored
// and, with more than one point, the points open in a graph window
// "Статическая характеристика <n>" whose record owns the point file, showing
// the sweep's first channel against its second, both axes fitted to the
// points. Otherwise the point file is deleted. Returns that window, or
// nullptr.
QMdiSubWindow* RunStaticFlow(WindowHost& host);

// A fresh record takes the points of a static characteristic: one frame per
// point with all 16 ADC channels and DAC 1 and 2. Its first dependency is ADC
// channel `y` (0-based) against ADC channel `x`.
void FillStaticRecord(tornel::TGraphRecord& record, int32_t points, const std::string& pointFile,
                      int x, int y);
