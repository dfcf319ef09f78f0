#pragma once

#include <string>

#include "core/records/mask_pair.h"
#include "core/records/sample_format.h"

namespace tornel {

// Makes the record-owned sample copy of a data file chosen for comparison:
// checks the signature, reads the header, requires the file's recorded
// masks to equal `recorded`, and copies the samples into a new temporary
// file (TGraphRecord::MakeTempName) whose path it returns; the caller owns
// that file. The copy holds the samples of the comparing record's kind:
// the codes as they are, or for a record of doubles (the scheme's graph
// block) each code as its per-unit value code / 511 * Base / RealBase, as a
// graph window shows it. Throws UserError "Файл создан другой программой",
// "Несоответствие", "Файл повреждён" or "Не удалось открыть файл <path>";
// then no file is left behind.
std::string LoadCompareFile(const std::string& path, MaskPair recorded,
                            SampleFormat format = SampleFormat::Int16);

}  // namespace tornel
