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

bool ComediAvailable() { return true; }

std::unique_ptr<ComediDevice> ComediDevice::Open(const DeviceChoice& choice) {
  // The library prints its own complaints otherwise; the caller reports them.
  comedi_loglevel(0);
  comedi_t* handle = comedi_open(choice.comediPath.c_str());
  if (!handle) Fail(choice.comediPath, "не удалось открыть (" + LibraryError() + ")");

  auto find = [&](int configured, int type, int range, unsigned aref, const char* what) {
    Subdevice sub;
    sub.index = configured >= 0 ? configured : comedi_find_subdevice_by_type(handle, type, 0);
    if (sub.index < 0 || comedi_get_subdevice_type(handle, sub.index) != type) {
      std::string reason = std::string("нет подустройства ") + what;
      if (configured >= 0) reason += " с номером " + std::to_string(configured);
      comedi_close(handle);
      Fail(choice.comediPath, reason);
    }
    sub.channels = std::max(comedi_get_n_channels(handle, sub.index), 0);
    int ranges = comedi_get_n_ranges(handle, sub.index, 0);
    if (range < 0 || range >= ranges) {
      comedi_close(handle);
      Fail(choice.comediPath, std::string("у подустройства ") + what + " нет диапазона " +
                                  std::to_string(range) + " (всего " + std::to_string(ranges) +
                                  ")");
    }
    sub.range = static_cast<unsigned>(range);
    sub.aref = aref;
    sub.maxdata = comedi_get_maxdata(handle, sub.index, 0);
    return sub;
  };
  Subdevice input = find(choice.inputSubdevice, COMEDI_SUBD_AI, choice.inputRange,
                         ReferenceCode(choice.inputReference), "АЦП");
  Subdevice output =
      find(choice.outputSubdevice, COMEDI_SUBD_AO, choice.outputRange, AREF_GROUND, "ЦАП");
  return std::unique_ptr<ComediDevice>(new ComediDevice(handle, choice.comediPath, input, output));
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
  return ComediSampleToCode(sample, input_.maxdata);
}

void ComediDevice::Write(int16_t channel, int16_t code) {
  if (channel < 0 || channel >= output_.channels) return;
  comedi_data_write(handle_, output_.index, channel, output_.range, output_.aref,
                    ComediCodeToSample(code, output_.maxdata));
}

std::string ComediDevice::Description() const { return "comedi " + path_; }

#else

bool ComediAvailable() { return false; }

std::unique_ptr<ComediDevice> ComediDevice::Open(const DeviceChoice&) {
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
