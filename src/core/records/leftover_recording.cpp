#include "core/records/leftover_recording.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string_view>

#include "core/records/temp_file.h"

namespace tornel {
namespace {

namespace fs = std::filesystem;

bool IsNote(const std::string& name) {
  std::string_view suffix = kNoteSuffix;
  return name.size() > suffix.size() && name.ends_with(suffix);
}

void LookIn(const std::string& folder, std::vector<LeftoverRecording>& found) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::string notePath = it->path().string();
    if (!IsNote(it->path().filename().string()) || !it->is_regular_file(ec)) continue;
    std::string sample = notePath.substr(0, notePath.size() - std::string_view(kNoteSuffix).size());
    if (!fs::exists(sample, ec)) {
      // The owner deletes the note before the samples, so this one is
      // what a crash in between left.
      RemoveFileIfExists(notePath);
      continue;
    }
    auto lock = RecordingLock::TryTake(sample);
    if (!lock) continue;  // its owner lives
    // Read under the lock: the owner may have rewritten it until just now.
    auto note = RecoveryNote::Read(notePath);
    if (!note) continue;
    int values = note->FrameValues();
    auto size = fs::file_size(sample, ec);
    int64_t frames = ec || values == 0 ? 0 : static_cast<int64_t>(size / (2u * values));
    found.push_back({sample, std::move(*note), frames, std::move(*lock)});
  }
}

}  // namespace

std::vector<LeftoverRecording> FindLeftoverRecordings(const std::vector<std::string>& folders) {
  std::vector<LeftoverRecording> found;
  std::set<fs::path> seen;
  for (const auto& folder : folders) {
    std::error_code ec;
    fs::path canonical = fs::weakly_canonical(folder, ec);
    if (!seen.insert(ec ? fs::path(folder) : canonical).second) continue;
    LookIn(folder, found);
  }
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return a.Note.Date + a.Note.Time < b.Note.Date + b.Note.Time;
  });
  return found;
}

std::vector<std::string> RecordingFolders() {
  const char* tmp = std::getenv("TMP");
  std::vector<std::string> folders{SystemTempFolder()};
  if (tmp && *tmp) folders.emplace_back(tmp);
  return folders;
}

void FillRecordFromNote(const RecoveryNote& note, int64_t frames, const std::string& sampleFile,
                        TGraphRecord& record) {
  for (std::size_t s = 0; s < kNoteSlots; ++s) {
    record.ChanName[s] = note.ChanName[s];
    record.ChanUnit[s] = note.ChanUnit[s];
    record.Base[s] = note.Base[s];
    record.RealBase[s] = note.RealBase[s];
  }
  record.Date = note.Date;
  record.Time = note.Time;
  record.IsStatic = note.Kind == RecordingKind::Static;
  record.Duration = note.DurationFor(frames);
  record.TMax = record.Duration;
  record.AcpMask = note.AcpMask;
  record.CapMask = note.CapMask;
  record.AcpShowMask = record.IsStatic ? 0 : note.AcpMask;
  record.CapShowMask = 0;
  record.OrigFile = sampleFile;
  record.SampleFile = sampleFile;
  record.FilteredFile = sampleFile + "f";
  record.RecountRecord();
}

void RestoreRecord(LeftoverRecording leftover, TGraphRecord& record) {
  const RecoveryNote& note = leftover.Note;
  FillRecordFromNote(note, leftover.Frames, leftover.SampleFile, record);
  RecoveryNote adopted = note;
  if (!adopted.Finished && !record.IsStatic) {
    // From now on the note describes what the file holds.
    adopted.Finished = true;
    adopted.Count = leftover.Frames;
    adopted.ElapsedMs = static_cast<uint32_t>(record.Duration * 1000.0 + 0.5);
  }
  record.Unsaved =
      UnsavedRecording::Adopt(leftover.SampleFile, std::move(adopted), std::move(leftover.Lock));
  record.RecountRecord();
}

void DiscardLeftover(LeftoverRecording leftover) {
  RemoveFileIfExists(NotePathFor(leftover.SampleFile));
  RemoveFileIfExists(leftover.SampleFile);
  RemoveFileIfExists(leftover.SampleFile + "f");
}

}  // namespace tornel
