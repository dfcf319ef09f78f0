#include "core/device/comedi_card_info.h"

#include "core/text/number_text.h"

namespace tornel {
namespace {

// Up to four decimals, trailing zeros dropped: "-10", "0,2", "0,05".
std::string Number(double value) {
  std::string text = FormatFixed(value, 4, ',');
  while (text.back() == '0') text.pop_back();
  if (text.back() == ',') text.pop_back();
  return text;
}

std::string UnitText(ComediCardInfo::Unit unit) {
  switch (unit) {
    case ComediCardInfo::Unit::Volt:
      return " В";
    case ComediCardInfo::Unit::MilliAmp:
      return " мА";
    case ComediCardInfo::Unit::None:
      break;
  }
  return " (без единиц)";
}

// "(12 бит)" for a maxdata of 2^n - 1.
std::string Bits(uint32_t maxdata) {
  uint64_t steps = uint64_t{maxdata} + 1;
  if (maxdata == 0 || (steps & (steps - 1)) != 0) return "";
  int bits = 0;
  while (steps > 1) {
    steps >>= 1;
    ++bits;
  }
  return " (" + std::to_string(bits) + " бит)";
}

void Describe(std::string& text, const char* what, const ComediCardInfo::Subdevice& sub) {
  text += "  " + std::string(what) + ", подустройство " + std::to_string(sub.index) + ": каналов " +
          std::to_string(sub.channels) + ", maxdata " + std::to_string(sub.maxdata) +
          Bits(sub.maxdata) + "\n";
  for (std::size_t i = 0; i < sub.ranges.size(); ++i) {
    const ComediCardInfo::Range& r = sub.ranges[i];
    text += "    диапазон " + std::to_string(i) + ": " + Number(r.min) + " … " + Number(r.max) +
            UnitText(r.unit) + "\n";
  }
}

}  // namespace

std::string ChannelSpan(int first, int last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "–" + std::to_string(last);
}

std::string DescribeComediCard(const ComediCardInfo& card) {
  std::string text = card.path + ": плата " + (card.board.empty() ? "?" : card.board) +
                     ", драйвер " + (card.driver.empty() ? "?" : card.driver) + "\n";
  for (const auto& sub : card.inputs) Describe(text, "аналоговые входы", sub);
  for (const auto& sub : card.outputs) Describe(text, "аналоговые выходы", sub);
  // The program takes the first subdevice of each kind unless told otherwise.
  if (card.inputs.empty()) {
    text += "  аналоговых входов нет: для стенда плата не годится\n";
  } else if (card.inputs.front().channels < kBenchAdcInputs) {
    text += "  стенду нужно " + std::to_string(kBenchAdcInputs) + " входов: нет каналов АЦП " +
            ChannelSpan(card.inputs.front().channels + 1, kBenchAdcInputs) + "\n";
  }
  if (card.outputs.empty()) {
    text += "  аналоговых выходов нет: сигналы ЦАП выводиться не будут\n";
  } else if (card.outputs.front().channels < kBenchDacOutputs) {
    text += "  стенду нужно " + std::to_string(kBenchDacOutputs) + " выхода: нет каналов ЦАП " +
            ChannelSpan(card.outputs.front().channels + 1, kBenchDacOutputs) + "\n";
  }
  return text;
}

}  // namespace tornel
