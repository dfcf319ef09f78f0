#include "core/records/dta_info.h"

#include <bit>

#include "core/config/channel_table.h"
#include "core/records/day_number.h"
#include "core/records/dta_reader.h"
#include "core/records/file_handle.h"
#include "core/records/slot_label.h"
#include "core/text/number_text.h"

namespace tornel {
namespace {

std::string Hex4(uint16_t v) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string s = "0x0000";
  for (int i = 0; i < 4; ++i) s[5 - i] = kDigits[(v >> (4 * i)) & 0xF];
  return s;
}

std::string TwoDigits(int v) {
  std::string s = std::to_string(v);
  if (s.size() < 2) s.insert(s.begin(), '0');
  return s;
}

std::string Num(double v) { return FormatGeneral(v, '.'); }

std::string Fixed(double v) { return FormatFixed(v, 2, '.'); }

std::string PartialFrameText(int64_t bytes) {
  return "Последний кадр данных неполный, пропущено байт: " + std::to_string(bytes);
}

}  // namespace

DtaInfo ReadDtaInfo(const std::string& path) {
  DtaInfo info;
  DtaReader reader(path);
  reader.ReadHeader(info.Header);
  info.SampleOffset = reader.SampleOffset();
  const int64_t size = FileHandle::OpenRead(path).Size();
  info.SampleBytes = size > info.SampleOffset ? size - info.SampleOffset : 0;
  const int channels = std::popcount(info.Header.AcpMask) + std::popcount(info.Header.CapMask);
  info.FrameCount = channels == 0 ? 0 : info.SampleBytes / (2 * channels);
  info.PartialFrameBytes = info.SampleBytes - info.FrameCount * 2 * channels;
  return info;
}

std::string PartialFrameWarning(const DtaInfo& info, const std::string& path) {
  if (info.PartialFrameBytes == 0) return {};
  return PartialFrameText(info.PartialFrameBytes) + "\n" + path;
}

std::string DescribeDta(const DtaInfo& info) {
  const DtaHeader& h = info.Header;
  std::vector<int> slots;
  for (int s = 0; s < kChannelSlots; ++s) {
    const uint16_t mask = s < kCapSlotBase ? h.AcpMask : h.CapMask;
    if ((mask >> (s % kAcpChannels)) & 1) slots.push_back(s);
  }
  auto nameOf = [&](int position) -> std::string {
    if (position < 0 || position >= static_cast<int>(slots.size())) {
      return "? (позиция " + std::to_string(position) + ")";
    }
    return h.ChanName[slots[static_cast<std::size_t>(position)]];
  };

  std::string out;
  out += "Сигнатура: \"" + std::string(kDtaSignature) + "\" — файл данных\n";
  out += std::string("Вид: ") +
         (h.IsStatic ? "статическая характеристика" : "переходная характеристика") + "\n";
  const CivilDateTime t = DayTimeToCivil(h.Date, h.Time);
  out += "Дата и время: " + TwoDigits(t.Day) + "." + TwoDigits(t.Month) + "." +
         std::to_string(t.Year) + " " + TwoDigits(t.Hour) + ":" + TwoDigits(t.Minute) + ":" +
         TwoDigits(t.Second) + "\n";

  out += "Записанные каналы: " + std::to_string(slots.size()) + "\n";
  for (std::size_t p = 0; p < slots.size(); ++p) {
    const int s = slots[p];
    out += "  " + std::to_string(p) + "  " + SlotLabel(s) + "  " + h.ChanName[s];
    if (!h.ChanUnit[s].empty()) out += ", " + h.ChanUnit[s];
    out += "  (Base " + Num(h.Base[s]) + ", базовое значение " + Num(h.RealBase[s]) + ")\n";
  }

  out += "Комментарии: " + std::to_string(h.Comments.size()) + "\n";
  for (const auto& line : h.Comments) out += "  " + line + "\n";

  out += "Маски: записаны АЦП " + Hex4(h.AcpMask) + ", ЦАП " + Hex4(h.CapMask) + "; показаны АЦП " +
         Hex4(h.AcpShowMask) + ", ЦАП " + Hex4(h.CapShowMask) + "\n";

  int enabled = 0;
  for (const auto& d : h.Deps) enabled += d.Enabled != 0;
  out += "Зависимости: " + std::to_string(enabled) + "\n";
  for (int k = 0; k < kDependencyCount; ++k) {
    const Dependency& d = h.Deps[k];
    if (d.Enabled == 0) continue;
    out += "  " + std::to_string(k + 1) + "  " + nameOf(d.YIndex) + "(" + nameOf(d.XIndex) + ")\n";
  }

  out += "Оси: t " + Fixed(h.TMin) + " … " + Fixed(h.TMax) + " с; X " + Fixed(h.XMin) + " … " +
         Fixed(h.XMax) + " о.е.; Y " + Fixed(h.YMin) + " … " + Fixed(h.YMax) +
         " о.е.; делений X и t " + std::to_string(h.DivX) + ", Y " + std::to_string(h.DivY) + "\n";
  out += "Кадров: " + std::to_string(info.FrameCount) + "\n";
  if (info.PartialFrameBytes != 0) {
    out += PartialFrameText(info.PartialFrameBytes) + "\n";
  }
  if (h.IsStatic) {
    out += "Точек: " + Num(h.Duration) + "\n";
  } else {
    out += "Длительность: " + Num(h.Duration) + " с\n";
  }
  return out;
}

}  // namespace tornel
