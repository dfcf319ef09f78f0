#include "core/device/comedi_device.h"

#include <algorithm>
#include <utility>

#include "core/device/comedi_card_info.h"
#include "core/device/comedi_scaling.h"
#include "core/device/device_error.h"
#include "core/device/device_selection.h"
#include "core/text/user_error.h"

#if TORNEL_HAVE_COMEDI
#include <comedilib.h>
#endif

namespace tornel {

#if TORNEL_HAVE_COMEDI

namespace {

unsigned ReferenceCode(const std::string& name) {
  if (name == "common") return AREF_COMMON;
  if (name == "diff") return AREF_DIFF;
  if (name == "other") return AREF_OTHER;
  return AREF_GROUND;
}

std::string LibraryError() {
  const char* text = comedi_strerror(comedi_errno());
  return text ? text : "неизвестная ошибка";
}

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw UserError("Устройство comedi " + path + ": " + what);
}

using CardHandle = std::unique_ptr<comedi_t, int (*)(comedi_t*)>;

CardHandle OpenCard(const std::string& path) {
  // The library prints its own complaints otherwise; the caller reports them.
  comedi_loglevel(0);
  CardHandle handle(comedi_open(path.c_str()), comedi_close);
  if (!handle) Fail(path, "не удалось открыть (" + LibraryError() + ")");
  return handle;
}

ComediCardInfo::Unit UnitOf(unsigned unit) {
  if (unit == UNIT_volt) return ComediCardInfo::Unit::Volt;
  if (unit == UNIT_mA) return ComediCardInfo::Unit::MilliAmp;
  return ComediCardInfo::Unit::None;
}

void AddNotice(std::string* notice, const std::string& text) {
  if (!notice) return;
  if (!notice->empty()) *notice += "\n";
  *notice += text;
}

}  // namespace

std::unique_ptr<ComediDevice> ComediDevice::Open(const DeviceChoice& choice, std::string* notice) {
  const std::string& path = choice.comediPath;
  CardHandle handle = OpenCard(path);
  comedi_t* card = handle.get();

  const int subdevices = comedi_get_n_subdevices(card);
  auto find = [&](int configured, int type, const char* what) {
    if (configured >= subdevices)
      Fail(path, "на плате нет подустройства " + std::to_string(configured) +
                     " (подустройств: " + std::to_string(std::max(subdevices, 0)) + ")");
    int index = configured >= 0 ? configured : comedi_find_subdevice_by_type(card, type, 0);
    if (index >= 0 && comedi_get_subdevice_type(card, index) == type) return index;
    if (configured >= 0)
      Fail(path, "подустройство " + std::to_string(configured) + " не является " + what);
    return -1;
  };
  auto describe = [&](int index, int range, unsigned aref, const char* what, const char* kind) {
    Subdevice sub;
    sub.index = index;
    sub.channels = std::clamp(comedi_get_n_channels(card, index), 0, 16);
    // Ranges and maxdata belong to channels; without any there is nothing to ask.
    if (sub.channels == 0) return sub;
    int ranges = comedi_get_n_ranges(card, index, 0);
    if (range < 0 || range >= ranges)
      Fail(path, std::string("у ") + what + " нет диапазона " + std::to_string(range) +
                     " (диапазонов: " + std::to_string(std::max(ranges, 0)) + ")");
    sub.range = static_cast<unsigned>(range);
    sub.aref = aref;
    for (int ch = 0; ch < sub.channels; ++ch) {
      sub.maxdata[ch] = comedi_get_maxdata(card, index, ch);
      // A maxdata of 0 is the library's error: such a channel cannot be scaled.
      if (sub.maxdata[ch] == 0)
        Fail(path, std::string("не удалось узнать разрядность ") + kind + " " +
                       std::to_string(ch + 1) + " (" + LibraryError() + ")");
    }
    return sub;
  };

  int inputIndex = find(choice.inputSubdevice, COMEDI_SUBD_AI, "аналоговым входом");
  if (inputIndex < 0) Fail(path, "на плате нет аналоговых входов");
  Subdevice input = describe(inputIndex, choice.inputRange, ReferenceCode(choice.inputReference),
                             "аналоговых входов", "АЦП");
  if (input.channels == 0) Fail(path, "на плате нет аналоговых входов");
  if (input.channels < kBenchAdcInputs) {
    AddNotice(notice, "На плате " + path + " аналоговых входов " + std::to_string(input.channels) +
                          " из " + std::to_string(kBenchAdcInputs) + ". Нет каналов АЦП " +
                          ChannelSpan(input.channels + 1, kBenchAdcInputs) +
                          ": запись с ними останавливается с ошибкой, в остальных окнах они "
                          "показывают 0, кнопка пуска стенда (АЦП 16) не действует");
  }

  Subdevice output;
  int outputIndex = find(choice.outputSubdevice, COMEDI_SUBD_AO, "аналоговым выходом");
  if (outputIndex >= 0)
    output = describe(outputIndex, choice.outputRange, AREF_GROUND, "аналоговых выходов", "ЦАП");
  if (output.channels == 0) {
    AddNotice(notice, "На плате " + path + " нет аналоговых выходов: сигналы ЦАП не выводятся");
  } else if (output.channels < kBenchDacOutputs) {
    AddNotice(notice, "На плате " + path + " аналоговых выходов " +
                          std::to_string(output.channels) + " из " +
                          std::to_string(kBenchDacOutputs) + ": сигналы ЦАП " +
                          ChannelSpan(output.channels + 1, kBenchDacOutputs) + " не выводятся");
  }
  const char* board = comedi_get_board_name(card);
  return std::unique_ptr<ComediDevice>(
      new ComediDevice(handle.release(), path, board ? board : "", input, output));
}

ComediCardInfo ComediDevice::Probe(const std::string& path) {
  CardHandle handle = OpenCard(path);
  comedi_t* card = handle.get();
  ComediCardInfo info;
  info.path = path;
  if (const char* board = comedi_get_board_name(card)) info.board = board;
  if (const char* driver = comedi_get_driver_name(card)) info.driver = driver;
  int subdevices = comedi_get_n_subdevices(card);
  if (subdevices < 0) Fail(path, "не удалось узнать подустройства (" + LibraryError() + ")");
  for (int index = 0; index < subdevices; ++index) {
    int type = comedi_get_subdevice_type(card, index);
    if (type != COMEDI_SUBD_AI && type != COMEDI_SUBD_AO) continue;
    ComediCardInfo::Subdevice sub;
    sub.index = index;
    sub.channels = std::max(comedi_get_n_channels(card, index), 0);
    if (sub.channels > 0) {
      sub.maxdata = comedi_get_maxdata(card, index, 0);
      int ranges = comedi_get_n_ranges(card, index, 0);
      for (int r = 0; r < ranges; ++r) {
        const comedi_range* range = comedi_get_range(card, index, 0, r);
        if (!range) {
          Fail(path, "не удалось прочитать диапазон " + std::to_string(r) + " подустройства " +
                         std::to_string(index) + " (" + LibraryError() + ")");
        }
        sub.ranges.push_back({range->min, range->max, UnitOf(range->unit)});
      }
    }
    (type == COMEDI_SUBD_AI ? info.inputs : info.outputs).push_back(sub);
  }
  return info;
}

ComediDevice::~ComediDevice() { comedi_close(handle_); }

bool ComediDevice::Convert(int16_t channel, int16_t& code) {
  lsampl_t sample = 0;
  if (comedi_data_read(handle_, input_.index, channel, input_.range, input_.aref, &sample) < 0)
    return false;
  code = ComediSampleToCode(sample, input_.maxdata[channel]);
  return true;
}

bool ComediDevice::Output(int16_t channel, int16_t code) {
  return comedi_data_write(handle_, output_.index, channel, output_.range, output_.aref,
                           ComediCodeToSample(code, output_.maxdata[channel])) >= 0;
}

int16_t ComediDevice::Read(int16_t channel) {
  int16_t code = 0;
  if (channel < 0 || channel >= input_.channels || !Convert(channel, code)) return 0;
  return code;
}

void ComediDevice::Write(int16_t channel, int16_t code) {
  if (channel >= 0 && channel < output_.channels) Output(channel, code);
}

int16_t ComediDevice::ReadChecked(int16_t channel) {
  if (channel < 0 || channel >= input_.channels) {
    throw DeviceError(Where("АЦП", channel),
                      "на плате нет этого входа (входов: " + std::to_string(input_.channels) + ")");
  }
  int16_t code = 0;
  if (!Convert(channel, code)) throw DeviceError(Where("АЦП", channel), LibraryError());
  return code;
}

void ComediDevice::WriteChecked(int16_t channel, int16_t code) {
  if (channel < 0 || channel >= output_.channels) {
    throw DeviceError(Where("ЦАП", channel), "на плате нет этого выхода (выходов: " +
                                                 std::to_string(output_.channels) + ")");
  }
  if (!Output(channel, code)) throw DeviceError(Where("ЦАП", channel), LibraryError());
}

#else

namespace {

[[noreturn]] void NoLibrary() {
  throw UserError("Программа собрана без библиотеки comedilib: платы сбора данных недоступны");
}

}  // namespace

std::unique_ptr<ComediDevice> ComediDevice::Open(const DeviceChoice&, std::string*) { NoLibrary(); }
ComediCardInfo ComediDevice::Probe(const std::string&) { NoLibrary(); }

ComediDevice::~ComediDevice() = default;
bool ComediDevice::Convert(int16_t, int16_t&) { return false; }
bool ComediDevice::Output(int16_t, int16_t) { return false; }
int16_t ComediDevice::Read(int16_t) { return 0; }
void ComediDevice::Write(int16_t, int16_t) {}
int16_t ComediDevice::ReadChecked(int16_t) { NoLibrary(); }
void ComediDevice::WriteChecked(int16_t, int16_t) { NoLibrary(); }

#endif

ComediDevice::ComediDevice(comedi_t_struct* handle, std::string path, std::string board,
                           Subdevice input, Subdevice output)
    : handle_(handle),
      path_(std::move(path)),
      board_(std::move(board)),
      input_(input),
      output_(output) {}

std::string ComediDevice::Where(const char* kind, int16_t channel) const {
  return path_ + ", " + kind + " " + std::to_string(channel + 1);
}

std::string ComediDevice::Description() const {
  return board_.empty() ? "comedi " + path_ : "comedi " + path_ + " (" + board_ + ")";
}

}  // namespace tornel
