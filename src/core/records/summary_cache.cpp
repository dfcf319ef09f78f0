#include "core/records/summary_cache.h"

#include <algorithm>

#include "core/records/graph_record.h"

namespace tornel {
namespace {

// The files the record's picture reads, the record's own first.
std::vector<std::string> DrawnFiles(const TGraphRecord& record) {
  std::vector<std::string> files;
  if (!record.SampleFile.empty()) files.push_back(record.SampleFile);
  for (int k = 0; k < kCompareSlots; ++k) {
    if (record.CompareOn[k] && !record.CompareTemp[k].empty()) {
      files.push_back(record.CompareTemp[k]);
    }
  }
  return files;
}

bool NamedByRecord(const TGraphRecord& record, const std::string& path) {
  if (path == record.SampleFile || path == record.OrigFile || path == record.FilteredFile) {
    return true;
  }
  return std::find(record.CompareTemp.begin(), record.CompareTemp.end(), path) !=
         record.CompareTemp.end();
}

}  // namespace

SummaryCache::Stamp SummaryCache::StampOf(const std::string& path) {
  std::error_code error;
  Stamp stamp;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return {};
  stamp.time = std::filesystem::last_write_time(path, error);
  if (error) return {};
  stamp.size = static_cast<int64_t>(size);
  return stamp;
}

const SummaryCache::Entry* SummaryCache::FindEntry(const std::string& path, int channels,
                                                   SampleFormat format) const {
  const std::size_t index = format == SampleFormat::Float64 ? 1 : 0;
  for (const Entry& e : entries_) {
    if (e.path == path && e.channels == channels && e.summary.index() == index) {
      return e.stamp.size >= 0 && e.stamp == StampOf(path) ? &e : nullptr;
    }
  }
  return nullptr;
}

template <typename Sample>
const SampleSummary<Sample>* SummaryCache::Find(const std::string& path, int channels) const {
  const SampleFormat format =
      std::is_same_v<Sample, double> ? SampleFormat::Float64 : SampleFormat::Int16;
  const Entry* e = FindEntry(path, channels, format);
  return e ? &std::get<SampleSummary<Sample>>(e->summary) : nullptr;
}

template const SampleSummary<int16_t>* SummaryCache::Find<int16_t>(const std::string&, int) const;
template const SampleSummary<double>* SummaryCache::Find<double>(const std::string&, int) const;

template <typename Sample>
void SummaryCache::Put(const std::string& path, SampleSummary<Sample> summary) {
  Forget(path);
  const Stamp stamp = StampOf(path);
  if (stamp.size < 0) return;
  const int channels = summary.Channels();
  entries_.push_back(Entry{path, channels, stamp, std::move(summary)});
}

template void SummaryCache::Put<int16_t>(const std::string&, SampleSummary<int16_t>);
template void SummaryCache::Put<double>(const std::string&, SampleSummary<double>);

void SummaryCache::Forget(const std::string& path) {
  std::erase_if(entries_, [&](const Entry& e) { return e.path == path; });
}

void SummaryCache::Rename(const std::string& from, const std::string& to) {
  if (from == to) return;
  Forget(to);
  for (Entry& e : entries_) {
    if (e.path == from) e.path = to;
  }
}

int64_t SummaryCache::PendingBytes(const TGraphRecord& record) const {
  const int channels = record.FrameValues();
  if (channels == 0) return 0;
  int64_t bytes = 0;
  for (const std::string& path : DrawnFiles(record)) {
    if (FindEntry(path, channels, record.Samples)) continue;
    const Stamp stamp = StampOf(path);
    if (stamp.size > 0) bytes += stamp.size;
  }
  return bytes;
}

bool SummaryCache::Prepare(const TGraphRecord& record, const FrameProgress& progress) {
  std::erase_if(entries_, [&](const Entry& e) {
    return !NamedByRecord(record, e.path) || StampOf(e.path) != e.stamp;
  });
  const int channels = record.FrameValues();
  if (channels == 0) return true;
  const int64_t frameBytes = static_cast<int64_t>(SampleBytes(record.Samples)) * channels;
  const int64_t totalFrames = PendingBytes(record) / frameBytes;
  int64_t doneFrames = 0;
  bool cancelled = false;
  for (const std::string& path : DrawnFiles(record)) {
    if (FindEntry(path, channels, record.Samples)) continue;
    Forget(path);
    const Stamp stamp = StampOf(path);
    if (stamp.size < 0) continue;
    const FrameProgress step = [&](int64_t done, int64_t) {
      cancelled = progress && !progress(doneFrames + done, totalFrames);
      return !cancelled;
    };
    VisitSampleFormat(record.Samples, [&]<typename S>(std::type_identity<S>) {
      // A file that cannot be read is drawn from its frames, without a summary.
      auto summary = SampleSummary<S>::Build(path, channels, step);
      if (!summary) return;
      doneFrames += summary->Frames();
      entries_.push_back(Entry{path, channels, stamp, std::move(*summary)});
    });
    if (cancelled) return false;
  }
  return true;
}

}  // namespace tornel
