#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "core/records/csv_line.h"
#include "core/records/dta_header.h"
#include "core/records/sample_file_reader.h"

namespace tornel {

// Writes the samples as RFC 4180 CSV (UTF-8, CRLF line ends): a header row
// "t, c" (or "№" for a static record) and "name, unit" per recorded channel
// in recorded-position order, then one row per frame: the time
// i * Duration / (frames - 1) (or the point number 1, 2, ...) and the
// physical values code / fullScale * Base, each in the shortest form that
// reads back to the same double. Fields holding the separator, a quote or a
// line break are quoted. Memory stays bounded whatever the number of frames.
void WriteCsv(const DtaHeader& header, SampleFileReader<int16_t>& samples, double fullScale,
              std::ostream& out, const CsvOptions& options);

// The same for a data file, read straight from it. Throws the reader's
// UserError texts; a failing output throws UserError
// "Не удалось записать файл <outName>".
void ExportDtaToCsv(const std::string& dtaPath, std::ostream& out, const std::string& outName,
                    const CsvOptions& options);

}  // namespace tornel
