#include "core/device/comedi_device.h"

#include <algorithm>
#include <utility>

#include "core/device/comedi_scaling.h"
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

}  // namespace

std::unique_ptr<ComediDevice> ComediDevice::Open(const DeviceChoice& choice, std::string* notice) {
  const std::string& path = choice.comediPath;
  // The library prints its own complaints otherwise; the caller reports them.
  comedi_loglevel(0);
  std::unique_ptr<comedi_t, int (*)(comedi_t*)> handle(comedi_open(path.c_str()), comedi_close);
  if (!handle) Fail(path, "не удалось открыть (" + LibraryError() + ")");
  comedi_t* card = handle.get();

  auto find = [&](int configured, int type, const char* what) {
    int index = configured >= 0 ? configured : comedi_find_subdevice_by_type(card, type, 0);
    if (index >= 0 && comedi_get_subdevice_type(card, index) == type) return index;
    if (configured >= 0)
      Fail(path, "подустройство " + std::to_string(configured) + " не является " + what);
    return -1;
  };
  auto describe = [&](int index, int range, unsigned aref, const char* what) {
    Subdevice sub;
    sub.index = index;
    sub.channels = std::clamp(comedi_get_n_channels(card, index), 0, 16);
    int ranges = comedi_get_n_ranges(card, index, 0);
    if (range < 0 || range >= ranges)
      Fail(path, std::string("у ") + what + " нет диапазона " + std::to_string(range) +
                     " (диапазонов: " + std::to_string(std::max(ranges, 0)) + ")");
    sub.range = static_cast<unsigned>(range);
    sub.aref = aref;
    for (int ch = 0; ch < sub.channels; ++ch) sub.maxdata[ch] = comedi_get_maxdata(card, index, ch);
    return sub;
  };

  int inputIndex = find(choice.inputSubdevice, COMEDI_SUBD_AI, "аналоговым входом");
  if (inputIndex < 0) Fail(path, "на плате нет аналоговых входов");
  Subdevice input = describe(inputIndex, choice.inputRange, ReferenceCode(choice.inputReference),
                             "аналоговых входов");
  Subdevice output;
  int outputIndex = find(choice.outputSubdevice, COMEDI_SUBD_AO, "аналоговым выходом");
  if (outputIndex >= 0)
    output = describe(outputIndex, choice.outputRange, AREF_GROUND, "аналоговых выходов");
  else if (notice)
    *notice = "На плате " + path + " нет аналоговых выходов: сигналы ЦАП не выводятся";
  return std::unique_ptr<ComediDevice>(new ComediDevice(handle.release(), path, input, output));
}

ComediDevice::ComediDevice(comedi_t_struct* handle, std::string path, Subdevice input,
                           Subdevice output)
    : handle_(handle), path_(std::move(path)), input_(input), output_(output) {}

ComediDevice::~ComediDevice() { comedi_close(handle_); }

int16_t ComediDevice::Read(int16_t channel) {
  if (channel < 0 || channel >= input_.channels) return 0;
  lsampl_t sample = 0;
  if (comedi_data_read(handle_, input_.index, channel, input_.range, input_.aref, &sample) < 0)
    return 0;
  return ComediSampleToCode(sample, input_.maxdata[channel]);
}

void ComediDevice::Write(int16_t channel, int16_t code) {
  if (channel < 0 || channel >= output_.channels) return;
  comedi_data_write(handle_, output_.index, channel, output_.range, output_.aref,
                    ComediCodeToSample(code, output_.maxdata[channel]));
}

std::string ComediDevice::Description() const { return "comedi " + path_; }

#else

std::unique_ptr<ComediDevice> ComediDevice::Open(const DeviceChoice&, std::string*) {
  throw UserError("Программа собрана без библиотеки comedilib: платы сбора данных недоступны");
}

ComediDevice::ComediDevice(comedi_t_struct* handle, std::string path, Subdevice input,
                           Subdevice output)
    : handle_(handle), path_(std::move(path)), input_(input), output_(output) {}
ComediDevice::~ComediDevice() = default;
int16_t ComediDevice::Read(int16_t) { return 0; }
void ComediDevice::Write(int16_t, int16_t) {}
std::string ComediDevice::Description() const { return "comedi " + path_; }

#endif

}  // namespace tornel
