#pragma once

#include <string>

#include "core/records/dta_header.h"
#include "core/records/sample_format.h"

namespace tornel {

// Items 1 to 17 of a data file. Names, units and comment lines are cut to
// 199 bytes of code page 1251 with every line feed turned into a blank; the
// reserved items are zeros.
std::string EncodeDtaHeader(const DtaHeader& header);

// The 16-bit code a double sample of the scheme's graph block is saved as:
// trunc(v * 511), clamped to the int16 range; NaN gives 0.
int16_t DoubleSampleToCode(double v);

// Writes a whole data file: the header, then the samples of sampleFile (an
// empty name: none). Double samples are converted with DoubleSampleToCode and
// the file then states Base and RealBase 1 for every slot. The file at path
// is replaced only when the new one is complete.
void WriteDtaFile(const std::string& path, const DtaHeader& header, const std::string& sampleFile,
                  SampleFormat format);

}  // namespace tornel
