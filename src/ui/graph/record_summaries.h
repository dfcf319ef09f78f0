#pragma once

#include <QtGlobal>

class QWidget;

namespace tornel {
class TGraphRecord;
}

// Sample files larger than this get the progress window while their
// summary is built; smaller ones only the hourglass of the caller.
inline constexpr qint64 kSummaryProgressBytes = qint64{32} << 20;

// Builds the min/max summaries the record's next picture lacks. The work
// runs in the GUI thread; the progress window paints but takes no input.
void PrepareRecordSummaries(tornel::TGraphRecord& record, QWidget* parent);
