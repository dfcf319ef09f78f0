#pragma once

#include <cstdint>
#include <string>

#include "core/acquisition/transient_settings.h"

class WindowHost;
class QMdiSubWindow;

namespace tornel {
class TGraphRecord;
}

// The main window's transient command once its description was confirmed:
// the transient dialog with its saved defaults; after OK the defaults are
// stored and, when an ADC channel was recorded, the result opens in a graph
// window "Переходная характеристика <n>". Returns that window, or nullptr.
QMdiSubWindow* RunTransientFlow(WindowHost& host);

// A fresh record takes a transient run: its length, masks and raw file. Its
// DAC mask keeps only the DACs in use (`capCount`), the ones the scans hold.
void FillTransientRecord(tornel::TGraphRecord& record, const tornel::TransientSettings& settings,
                         int capCount, uint32_t elapsedMs, const std::string& rawFile);
