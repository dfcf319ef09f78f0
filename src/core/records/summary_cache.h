#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "core/records/sample_format.h"
#include "core/records/sample_summary.h"

namespace tornel {

class TGraphRecord;

// The summaries of the sample files one record draws, kept with the record.
// A summary is valid while its file has the size and modification time it
// had when it was built; a filter that rewrites a file also forgets its
// summary (or puts the one it built while writing), for a rewrite may keep
// both. Drawing only looks summaries up;
// the window builds them first, with the hourglass or a progress window.
class SummaryCache {
public:
  // The summary of path for frames of `channels` values, or null when there
  // is none or the file changed since.
  template <typename Sample>
  const SampleSummary<Sample>* Find(const std::string& path, int channels) const;

  // Builds the summaries the record's picture lacks: its SampleFile and the
  // comparison copies that are on. Drops those of files the record no
  // longer names. False when progress cancelled; what was built stays.
  bool Prepare(const TGraphRecord& record, const FrameProgress& progress = {});
  // Bytes of sample files that Prepare would read.
  int64_t PendingBytes(const TGraphRecord& record) const;

  // Takes the summary made while `path` was written; it holds while the
  // file keeps the size and time it has now.
  template <typename Sample>
  void Put(const std::string& path, SampleSummary<Sample> summary);

  void Forget(const std::string& path);
  // The file `from` was renamed to `to`: its summary goes with it, and what
  // `to` had is forgotten.
  void Rename(const std::string& from, const std::string& to);
  void Clear() { entries_.clear(); }
  std::size_t Size() const { return entries_.size(); }

private:
  struct Stamp {
    int64_t size = -1;
    std::filesystem::file_time_type time{};
    bool operator==(const Stamp&) const = default;
  };
  struct Entry {
    std::string path;
    int channels = 0;
    Stamp stamp;
    std::variant<SampleSummary<int16_t>, SampleSummary<double>> summary;
  };
  static Stamp StampOf(const std::string& path);
  const Entry* FindEntry(const std::string& path, int channels, SampleFormat format) const;

  std::vector<Entry> entries_;
};

}  // namespace tornel
