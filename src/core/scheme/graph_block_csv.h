#pragma once

#include <ostream>

#include "core/records/graph_record.h"

namespace tornel {

// The graph block's samples of a simulated-time run as RFC 4180 CSV (UTF-8,
// CRLF): a column "t, c" with the model time after each tick (tick number
// times step, printed as the decimal it stands for), then one column
// per connected input in input order, headed with the record's channel
// name. Memory stays bounded. A failing output throws UserError
// "Не удалось записать файл <outName>".
void WriteGraphBlockCsv(const TGraphRecord& record, double step, std::ostream& out,
                        const std::string& outName);

}  // namespace tornel
