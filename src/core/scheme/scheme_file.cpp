#include "core/scheme/scheme_file.h"

#include <map>
#include <utility>
#include <vector>

#include "core/records/file_handle.h"
#include "core/records/little_endian.h"
#include "core/records/replacing_file.h"
#include "core/scheme/block_labels.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

struct BlockRecord {
  uint8_t kind;
  int32_t left, top;
  bool rotated, option;
  int32_t serial;
  std::array<double, 3> params;
};

struct LineRecord {
  std::size_t source, dest;  // block positions
  int32_t output, input;
};

// Kept apart from read errors, which name their file already: the loader
// adds the file's name to these.
class DamagedScheme : public UserError {
public:
  using UserError::UserError;
};

[[noreturn]] void Damaged(const std::string& what) {
  throw DamagedScheme("Файл схемы повреждён: " + what);
}

template <typename T>
void Put(std::string& out, T value) {
  unsigned char bytes[sizeof(T)];
  StoreLittleEndian(bytes, value);
  out.append(reinterpret_cast<const char*>(bytes), sizeof(T));
}

template <typename T>
T Get(std::string_view bytes, std::size_t offset) {
  return LoadLittleEndian<T>(reinterpret_cast<const unsigned char*>(bytes.data()) + offset);
}

// The position of the last block whose serial number is `serial`.
std::size_t BlockOfSerial(const std::vector<BlockRecord>& blocks, int32_t serial,
                          std::size_t line) {
  for (std::size_t i = blocks.size(); i-- > 0;) {
    if (blocks[i].serial == serial) return i;
  }
  Damaged("линия " + std::to_string(line + 1) + " ссылается на блок с номером " +
          std::to_string(serial) + ", которого нет");
}

// Checks the size for `count` blocks before anything is allocated for them.
void CheckBlockCount(int64_t count, std::size_t size) {
  if (count < 0) Damaged("отрицательное число блоков (" + std::to_string(count) + ")");
  if (kSchemeCountBytes + count * kSchemeBlockBytes > static_cast<int64_t>(size)) {
    Damaged("записи " + std::to_string(count) + " блоков не умещаются в файле длиной " +
            std::to_string(size) + " байт");
  }
  if (count > kMaxSchemeBlocks) {
    throw DamagedScheme("В файле схемы " + std::to_string(count) +
                        " блоков, а схема может содержать не более " +
                        std::to_string(kMaxSchemeBlocks));
  }
}

}  // namespace

std::string SchemeBytes(const Scheme& scheme) {
  std::string out;
  const auto& blocks = scheme.Blocks();
  Put<int32_t>(out, static_cast<int32_t>(blocks.size()));
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const TBlock& b = *blocks[i];
    Put<uint8_t>(out, static_cast<uint8_t>(b.Kind));
    Put<int32_t>(out, b.Left);
    Put<int32_t>(out, b.Top);
    Put<uint8_t>(out, b.Rotated ? 1 : 0);
    Put<uint8_t>(out, b.Option ? 1 : 0);
    Put<int32_t>(out, static_cast<int32_t>(i));
    for (double p : b.Params) Put<double>(out, p);
  }
  for (const auto& line : scheme.Lines()) {
    if (!line->Dest) continue;
    Put<int32_t>(out, static_cast<int32_t>(scheme.IndexOf(line->Source)));
    Put<int32_t>(out, static_cast<int32_t>(scheme.IndexOf(line->Dest)));
    Put<int32_t>(out, line->SourceOutput);
    Put<int32_t>(out, line->DestInput);
  }
  return out;
}

Scheme ParseScheme(std::string_view bytes, const BlockFactory& factory) {
  if (bytes.size() < kSchemeCountBytes) {
    Damaged("файл короче " + std::to_string(kSchemeCountBytes) + " байт");
  }
  const int32_t count = Get<int32_t>(bytes, 0);
  CheckBlockCount(count, bytes.size());
  const std::size_t linesAt =
      kSchemeCountBytes + static_cast<std::size_t>(count) * kSchemeBlockBytes;
  const std::size_t rest = bytes.size() - linesAt;
  if (rest % kSchemeLineBytes != 0) {
    Damaged("в конце файла " + std::to_string(rest % kSchemeLineBytes) +
            " лишних байт, не составляющих записи линии");
  }

  std::vector<BlockRecord> blocks(static_cast<std::size_t>(count));
  bool graph = false;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const std::size_t at = kSchemeCountBytes + i * kSchemeBlockBytes;
    BlockRecord& r = blocks[i];
    r.kind = Get<uint8_t>(bytes, at);
    r.left = Get<int32_t>(bytes, at + 1);
    r.top = Get<int32_t>(bytes, at + 5);
    r.rotated = Get<uint8_t>(bytes, at + 9) != 0;
    r.option = Get<uint8_t>(bytes, at + 10) != 0;
    r.serial = Get<int32_t>(bytes, at + 11);
    for (int p = 0; p < 3; ++p) r.params[p] = Get<double>(bytes, at + 15 + 8 * p);
    if (KindInfo(r.kind).Kind == kKindGraph) {
      if (graph) Damaged("в схеме второй блок «График» (блок " + std::to_string(i + 1) + ")");
      graph = true;
    }
  }

  std::vector<LineRecord> lines(rest / kSchemeLineBytes);
  std::map<std::pair<std::size_t, int32_t>, std::size_t> inputs;
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const std::size_t at = linesAt + l * kSchemeLineBytes;
    LineRecord& r = lines[l];
    r.source = BlockOfSerial(blocks, Get<int32_t>(bytes, at), l);
    r.dest = BlockOfSerial(blocks, Get<int32_t>(bytes, at + 4), l);
    r.output = Get<int32_t>(bytes, at + 8);
    r.input = Get<int32_t>(bytes, at + 12);
    const std::string name = "линия " + std::to_string(l + 1);
    if (r.output < 0 || r.output >= KindInfo(blocks[r.source].kind).OutCount) {
      Damaged(name + " выходит из выхода " + std::to_string(r.output) + ", которого у блока " +
              std::to_string(r.source + 1) + " нет");
    }
    if (r.input < 0 || r.input >= KindInfo(blocks[r.dest].kind).InCount) {
      Damaged(name + " входит во вход " + std::to_string(r.input) + ", которого у блока " +
              std::to_string(r.dest + 1) + " нет");
    }
    auto [it, fresh] = inputs.emplace(std::pair{r.dest, r.input}, l);
    if (!fresh) {
      Damaged(name + " входит во вход " + std::to_string(r.input) + " блока " +
              std::to_string(r.dest + 1) + ", уже занятый линией " +
              std::to_string(it->second + 1));
    }
  }

  Scheme scheme(factory);
  for (const BlockRecord& r : blocks) {
    std::unique_ptr<TBlock> block = factory.CreateBlock(r.kind);
    block->Left = r.left;
    block->Top = r.top;
    block->Option = r.option;
    block->Params = r.params;
    UpdateLabels(*block, factory.Labels());
    if (r.rotated) block->Rotate();
    scheme.InsertBlock(scheme.Blocks().size(), std::move(block));
  }
  for (const LineRecord& r : lines) {
    auto line = std::make_unique<TConnectLine>();
    line->Source = scheme.Blocks()[r.source].get();
    line->SourceOutput = r.output;
    line->Dest = scheme.Blocks()[r.dest].get();
    line->DestInput = r.input;
    scheme.InsertLine(scheme.Lines().size(), std::move(line));
  }
  return scheme;
}

void SaveScheme(Scheme& scheme, const std::string& path) {
  const std::string bytes = SchemeBytes(scheme);
  ReplacingFile file(path);
  file.File().WriteAll(bytes.data(), bytes.size());
  file.Commit();
  scheme.FileName = path;
}

SaveAsResult SaveSchemeAs(Scheme& scheme, const std::string& path) {
  auto endsWith = [&](std::string_view ext) {
    return path.size() > ext.size() && path.compare(path.size() - ext.size(), ext.size(), ext) == 0;
  };
  if (endsWith(".str")) {
    SaveScheme(scheme, path);
    return SaveAsResult::Scheme;
  }
  const TBlock* graph = scheme.GraphBlock();
  if (endsWith(".dta") && graph && graph->Record) {
    graph->Record->SaveDta(path);
    return SaveAsResult::GraphData;
  }
  return SaveAsResult::Nothing;
}

namespace {

Scheme ReadSchemeFile(const std::string& path, const BlockFactory& factory) {
  FileHandle file = FileHandle::OpenRead(path);
  unsigned char head[kSchemeCountBytes];
  const std::size_t got = file.Read(head, sizeof head);
  const int64_t size = file.Size();
  if (got == sizeof head && size >= 0) {
    const int32_t count = LoadLittleEndian<int32_t>(head);
    CheckBlockCount(count, static_cast<std::size_t>(size));
    // Every line needs an input of its own: a longer file cannot be a scheme,
    // and is not read into memory.
    const int64_t most = kSchemeCountBytes + int64_t{count} * kSchemeBlockBytes +
                         int64_t{count} * kMaxInputs * kSchemeLineBytes;
    if (size > most) Damaged("в файле больше линий, чем входов у блоков");
  }
  std::string bytes(reinterpret_cast<const char*>(head), got);
  if (got == sizeof head) {
    std::vector<char> chunk(1 << 16);
    while (std::size_t n = file.Read(chunk.data(), chunk.size())) bytes.append(chunk.data(), n);
  }
  Scheme scheme = ParseScheme(bytes, factory);
  scheme.FileName = path;
  return scheme;
}

}  // namespace

Scheme LoadScheme(const std::string& path, const BlockFactory& factory) {
  try {
    return ReadSchemeFile(path, factory);
  } catch (const DamagedScheme& e) {
    throw UserError(FileMessage(e.what(), path));
  }
}

}  // namespace tornel
