#pragma once

#include <string>

#include "core/records/dta_header.h"
#include "core/records/sample_format.h"

namespace tornel {

// Items 1 to 17 of a data file. Names, units and comment lines are cut to
// 199 bytes of code page 1251 with every line feed turned into a blank; the
// reserved items are zeros.
std::string EncodeDtaHeader(const DtaHeader& header);

// The Base a channel of double samples is saved with when its largest
// magnitude is `peak`: the smallest number of two significant digits at
// which peak stays within the codes +-32767, so that it takes more than
// nine tenths of them (1 for a channel of zeros).
double ExportBase(double peak);

// Writes a whole data file: the header, then the samples of sampleFile (an
// empty name: none). Double samples v of a recorded channel are saved as
// codes trunc(v * 511 / Base) with the channel's ExportBase, every RealBase
// and the Base of the other slots 1; a value that is not a finite number
// refuses the export with a UserError naming its channel. The file at path
// is replaced only when the new one is complete.
void WriteDtaFile(const std::string& path, const DtaHeader& header, const std::string& sampleFile,
                  SampleFormat format);

}  // namespace tornel
