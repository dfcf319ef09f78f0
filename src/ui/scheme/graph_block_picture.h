#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/graph/record_settings.h"

class QPainter;

namespace tornel {
class TGraphRecord;
}

// The graph block's plot, drawn once and kept: a block that is only moved,
// raised or uncovered shows the kept picture, and a long record is drawn
// again only when something the picture shows has changed (the settings,
// the range, the sample file, the size). The record's min/max summaries
// make that drawing per pixel column.
class GraphBlockPicture {
public:
  // Draws the plot of `record` with its top-left corner at `at`.
  void Paint(QPainter& painter, tornel::TGraphRecord& record, QPoint at, QSize size,
             const QFont& font);
  // How often the picture has been drawn anew.
  int Renders() const { return renders_; }

private:
  // What the picture depends on.
  struct Key {
    QSize size;
    qreal ratio = 1;
    tornel::RecordSettings settings;
    double duration = 0;
    uint16_t acpMask = 0, capMask = 0;
    std::string sampleFile;
    int64_t fileSize = -1;
    std::filesystem::file_time_type fileTime{};
    bool operator==(const Key&) const = default;
  };
  static Key KeyOf(const tornel::TGraphRecord& record, QSize size, qreal ratio);
  void Render(tornel::TGraphRecord& record, const QFont& font);

  std::optional<Key> key_;
  QImage image_;
  int renders_ = 0;
};
