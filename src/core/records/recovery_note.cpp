#include "core/records/recovery_note.h"

#include <fcntl.h>
#include <unistd.h>

#include <bit>
#include <charconv>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

#include "core/records/file_handle.h"

namespace tornel {
namespace {

constexpr const char* kHeading = "TornelAD recovery note 1";

template <typename T>
std::string Number(T value) {
  char buf[64];
  auto end = std::to_chars(buf, buf + sizeof buf, value).ptr;
  return std::string(buf, end);
}

template <typename T>
bool Parse(const std::string& text, T& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// Names are single lines; a stray line break would end the value early.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

class NoteText {
public:
  template <typename T>
  void Put(const std::string& key, const T& value) {
    text_ += key + '=' + Number(value) + '\n';
  }
  void PutText(const std::string& key, const std::string& value) {
    text_ += key + '=' + OneLine(value) + '\n';
  }
  const std::string& Text() const { return text_; }

private:
  std::string text_ = std::string(kHeading) + '\n';
};

class NoteValues {
public:
  explicit NoteValues(std::map<std::string, std::string> values) : values_(std::move(values)) {}
  template <typename T>
  void Get(const std::string& key, T& value) {
    auto it = values_.find(key);
    if (it == values_.end() || !Parse(it->second, value)) ok_ = false;
  }
  void GetText(const std::string& key, std::string& value) {
    auto it = values_.find(key);
    if (it == values_.end()) {
      ok_ = false;
    } else {
      value = it->second;
    }
  }
  bool Ok() const { return ok_; }

private:
  std::map<std::string, std::string> values_;
  bool ok_ = true;
};

std::string Indexed(const char* key, std::size_t i) { return key + Number(i); }

void SyncFolderOf(const std::string& path) {
  auto slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

RecoveryNote RecoveryNote::FromTable(RecordingKind kind, const ChannelTable& table, double date,
                                     double time) {
  RecoveryNote note;
  note.Kind = kind;
  note.Date = date;
  note.Time = time;
  for (std::size_t s = 0; s < kNoteSlots; ++s) {
    note.ChanName[s] = table.ChanName[s];
    note.ChanUnit[s] = table.ChanUnit[s];
    note.Base[s] = table.Base[s];
    note.RealBase[s] = table.RealBase[s];
    note.Offset[s] = table.Offset[s];
  }
  note.CapCount = table.CapCount;
  return note;
}

void RecoveryNote::Write(const std::string& path) const {
  NoteText out;
  out.PutText("Kind", Kind == RecordingKind::Static ? "static" : "transient");
  out.Put("Pid", Pid);
  out.Put("Date", Date);
  out.Put("Time", Time);
  for (std::size_t s = 0; s < kNoteSlots; ++s) {
    out.PutText(Indexed("ChanName", s), ChanName[s]);
    out.PutText(Indexed("ChanUnit", s), ChanUnit[s]);
    out.Put(Indexed("Base", s), Base[s]);
    out.Put(Indexed("RealBase", s), RealBase[s]);
    out.Put(Indexed("Offset", s), Offset[s]);
  }
  out.Put("AcpMask", AcpMask);
  out.Put("CapMask", CapMask);
  out.Put("CapCount", CapCount);
  out.Put("Duration", Duration);
  out.Put("DriveCap", int{DriveCap});
  for (std::size_t i = 0; i < kNoteCaps; ++i) {
    out.Put(Indexed("Delay", i), Delay[i]);
    out.Put(Indexed("RiseTime", i), RiseTime[i]);
    out.Put(Indexed("Amplitude", i), Amplitude[i]);
  }
  out.Put("RateElapsedMs", RateElapsedMs);
  out.Put("RateCount", RateCount);
  out.Put("Finished", int{Finished});
  out.Put("ElapsedMs", ElapsedMs);
  out.Put("Count", Count);

  // A crash part way leaves the old note whole: the new one lands beside it
  // and replaces it only once it is on the disk.
  std::string temp = path + ".new";
  {
    FileHandle file = FileHandle::CreateTruncate(temp);
    try {
      file.WriteAll(out.Text().data(), out.Text().size());
      if (::fsync(file.Fd()) != 0) ThrowWriteError(path);
      file.Close();
    } catch (...) {
      file = FileHandle();
      ::unlink(temp.c_str());
      throw;
    }
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    ThrowWriteError(path);
  }
  SyncFolderOf(path);
}

std::optional<RecoveryNote> RecoveryNote::Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  if (!in || !std::getline(in, line) || line != kHeading) return std::nullopt;
  std::map<std::string, std::string> values;
  while (std::getline(in, line)) {
    auto eq = line.find('=');
    if (eq != std::string::npos) values.emplace(line.substr(0, eq), line.substr(eq + 1));
  }
  NoteValues get(std::move(values));
  RecoveryNote note;
  std::string kind;
  get.GetText("Kind", kind);
  if (kind != "static" && kind != "transient") return std::nullopt;
  note.Kind = kind == "static" ? RecordingKind::Static : RecordingKind::Transient;
  get.Get("Pid", note.Pid);
  get.Get("Date", note.Date);
  get.Get("Time", note.Time);
  for (std::size_t s = 0; s < kNoteSlots; ++s) {
    get.GetText(Indexed("ChanName", s), note.ChanName[s]);
    get.GetText(Indexed("ChanUnit", s), note.ChanUnit[s]);
    get.Get(Indexed("Base", s), note.Base[s]);
    get.Get(Indexed("RealBase", s), note.RealBase[s]);
    get.Get(Indexed("Offset", s), note.Offset[s]);
  }
  get.Get("AcpMask", note.AcpMask);
  get.Get("CapMask", note.CapMask);
  get.Get("CapCount", note.CapCount);
  get.Get("Duration", note.Duration);
  int flag = 0;
  get.Get("DriveCap", flag);
  note.DriveCap = flag != 0;
  for (std::size_t i = 0; i < kNoteCaps; ++i) {
    get.Get(Indexed("Delay", i), note.Delay[i]);
    get.Get(Indexed("RiseTime", i), note.RiseTime[i]);
    get.Get(Indexed("Amplitude", i), note.Amplitude[i]);
  }
  get.Get("RateElapsedMs", note.RateElapsedMs);
  get.Get("RateCount", note.RateCount);
  get.Get("Finished", flag);
  note.Finished = flag != 0;
  get.Get("ElapsedMs", note.ElapsedMs);
  get.Get("Count", note.Count);
  if (!get.Ok()) return std::nullopt;
  return note;
}

int RecoveryNote::FrameValues() const { return std::popcount(AcpMask) + std::popcount(CapMask); }

double RecoveryNote::DurationFor(int64_t frames) const {
  if (Kind == RecordingKind::Static) return static_cast<double>(frames);
  // The scans are evenly spaced, so the ones present last as long as the
  // rate says they took: the whole run's when it ended, else the first
  // measured one.
  int64_t spanMs = Finished ? ElapsedMs : RateElapsedMs;
  int64_t count = Finished ? Count : RateCount;
  if (count <= 0) return 0.0;
  if (Finished && frames >= count) return ElapsedMs * 0.001;
  int64_t ms = frames * spanMs / count;
  return static_cast<double>(ms) * 0.001;
}

std::string NotePathFor(const std::string& sampleFile) { return sampleFile + kNoteSuffix; }

}  // namespace tornel
