#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tornel {

// What the bench needs of a card: its 16 ADC inputs (the 16th is the start
// button) and the two DACs the program drives.
inline constexpr int kBenchAdcInputs = 16;
inline constexpr int kBenchDacOutputs = 2;

// What comedilib tells about one card, for the lab to check it and to fill
// in the section "Устройство" of the configuration.
struct ComediCardInfo {
  enum class Unit { Volt, MilliAmp, None };
  struct Range {
    double min = 0.0;
    double max = 0.0;
    Unit unit = Unit::Volt;
  };
  struct Subdevice {
    int index = 0;
    int channels = 0;
    uint32_t maxdata = 0;  // of its first channel
    std::vector<Range> ranges;
  };

  std::string path;
  std::string board;
  std::string driver;
  std::vector<Subdevice> inputs;
  std::vector<Subdevice> outputs;
};

// One block of text: the card, then each analog input and output subdevice
// with its channels, maxdata and numbered ranges; a card with fewer inputs
// or outputs than the bench uses says which ones will be missing.
std::string DescribeComediCard(const ComediCardInfo& card);

// "9–16", or "2" for one channel.
std::string ChannelSpan(int first, int last);

}  // namespace tornel
