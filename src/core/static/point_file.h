#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tornel {

// One point of a static characteristic: the 16 ADC averages with their zero
// codes added, then the levels of DAC 1 and DAC 2.
inline constexpr int kPointWords = 18;
inline constexpr int kPointBytes = 2 * kPointWords;
using StaticPoint = std::array<int16_t, kPointWords>;

// The static window's point file: a headerless sample file of 18
// little-endian words per point. It belongs to this object, which deletes it
// on destruction, until Release() hands it to a record. Every change either
// completes or leaves file and Count() as they were, so the table shown
// beside it never disagrees with the file.
class PointFile {
public:
  // Reserves a new empty "TrSt<number>", created exclusively, in the folder
  // named by the environment variable TMP, else the system's temporary
  // folder. Throws UserError "Не удалось создать файл <path>".
  static PointFile CreateTemporary();
  // Takes over `path` as an empty point file (it need not exist yet).
  explicit PointFile(std::string path);
  ~PointFile();
  PointFile(PointFile&& other) noexcept;
  PointFile& operator=(PointFile&& other) noexcept;
  PointFile(const PointFile&) = delete;
  PointFile& operator=(const PointFile&) = delete;

  const std::string& Path() const { return path_; }
  int32_t Count() const { return count_; }

  // Adds the point at the end. Throws UserError "Не удалось записать точку в
  // файл <path>" when it cannot be written in full, with ": файл удалён или
  // изменён другой программой" added when the counted points are no longer
  // in the file.
  void Append(const StaticPoint& point);
  // Removes point `index` (0-based): the points after it move up by one and
  // the file is 36 bytes shorter. Throws UserError "Не удалось изменить файл
  // <path>", the file as it was.
  void Remove(int32_t index);
  // No points: the file is cut to zero length.
  void Clear();

  // From now on the file is the caller's; the object forgets it.
  std::string Release();

private:
  void Forget();

  std::string path_;
  int32_t count_ = 0;
};

}  // namespace tornel
