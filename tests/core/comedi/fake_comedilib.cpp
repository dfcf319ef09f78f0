#include "tests/core/comedi/fake_comedilib.h"

#include <gtest/gtest.h>

#include <cstring>

using tornel::testing::FakeComedi;
using tornel::testing::FakeComediCard;
using tornel::testing::FakeComediSubdevice;

struct comedi_t_struct {
  FakeComediCard* card = nullptr;
  bool open = true;
};

namespace {

FakeComedi* gCurrent = nullptr;
// The library keeps its error number per thread.
thread_local int gErrno = 0;

}  // namespace

namespace tornel::testing {

FakeComedi::FakeComedi() {
  if (gCurrent) ADD_FAILURE() << "two comedilib doubles at once";
  gCurrent = this;
}

FakeComedi::~FakeComedi() { gCurrent = nullptr; }

FakeComedi& FakeComedi::Current() {
  if (!gCurrent) {
    ADD_FAILURE() << "comedilib called without a FakeComedi in the test";
    std::abort();
  }
  return *gCurrent;
}

comedi_t* FakeComedi::Open(const std::string& path) {
  auto card = cards.find(path);
  if (card == cards.end()) {
    gErrno = openErrno;
    return nullptr;
  }
  handles.push_back(std::make_unique<comedi_t>());
  handles.back()->card = &card->second;
  return handles.back().get();
}

int FakeComedi::OpenHandles() const {
  int open = 0;
  for (const auto& handle : handles) open += handle->open ? 1 : 0;
  return open;
}

lsampl_t FakeComedi::LastWritten(unsigned subdevice, unsigned channel) const {
  for (auto it = writes.rbegin(); it != writes.rend(); ++it) {
    if (it->subdevice == subdevice && it->channel == channel) return it->data;
  }
  return 0;
}

FakeComediCard BenchCard(lsampl_t maxdata, comedi_range range, int inputs, int outputs) {
  FakeComediCard card;
  card.subdevices.push_back({COMEDI_SUBD_AI, inputs, maxdata, {range}, {}});
  card.subdevices.push_back({COMEDI_SUBD_AO, outputs, maxdata, {range}, {}});
  return card;
}

}  // namespace tornel::testing

namespace {

int Refuse(int error, const std::string& violation = {}) {
  if (!violation.empty()) FakeComedi::Current().violations.push_back(violation);
  gErrno = error;
  return -1;
}

// The card behind a handle that is still open, or nullptr (a violation).
FakeComediCard* CardOf(comedi_t* it, const char* call) {
  if (!it || !it->open) {
    Refuse(EBADF, std::string(call) + " on a closed handle");
    return nullptr;
  }
  return it->card;
}

FakeComediSubdevice* SubdeviceOf(comedi_t* it, unsigned subdevice, const char* call) {
  FakeComediCard* card = CardOf(it, call);
  if (!card) return nullptr;
  if (subdevice >= card->subdevices.size()) {
    Refuse(EINVAL,
           std::string(call) + " of subdevice " + std::to_string(subdevice) + " the card lacks");
    return nullptr;
  }
  return &card->subdevices[subdevice];
}

// The checks the driver makes on a data instruction.
FakeComediSubdevice* Target(comedi_t* it, unsigned subd, unsigned chan, unsigned range, int type,
                            const char* call) {
  FakeComediSubdevice* sub = SubdeviceOf(it, subd, call);
  if (!sub) return nullptr;
  std::string where = std::string(call) + " of subdevice " + std::to_string(subd);
  if (sub->type != type) {
    Refuse(EINVAL, where + " of the wrong type");
    return nullptr;
  }
  if (chan >= static_cast<unsigned>(sub->channels)) {
    Refuse(EINVAL, where + " channel " + std::to_string(chan) + " the subdevice lacks");
    return nullptr;
  }
  if (range >= sub->ranges.size()) {
    Refuse(EINVAL, where + " range " + std::to_string(range) + " the subdevice lacks");
    return nullptr;
  }
  return sub;
}

}  // namespace

extern "C" {

comedi_t* comedi_open(const char* fn) { return FakeComedi::Current().Open(fn); }

int comedi_close(comedi_t* it) {
  if (!CardOf(it, "comedi_close")) return -1;
  it->open = false;
  return 0;
}

int comedi_loglevel(int loglevel) { return loglevel; }

const char* comedi_strerror(int errnum) { return std::strerror(errnum); }

int comedi_errno(void) { return gErrno; }

int comedi_get_n_subdevices(comedi_t* it) {
  FakeComediCard* card = CardOf(it, "comedi_get_n_subdevices");
  return card ? static_cast<int>(card->subdevices.size()) : -1;
}

const char* comedi_get_driver_name(comedi_t* it) {
  FakeComediCard* card = CardOf(it, "comedi_get_driver_name");
  return card ? card->driver.c_str() : nullptr;
}

const char* comedi_get_board_name(comedi_t* it) {
  FakeComediCard* card = CardOf(it, "comedi_get_board_name");
  return card ? card->board.c_str() : nullptr;
}

int comedi_get_subdevice_type(comedi_t* it, unsigned int subdevice) {
  FakeComediSubdevice* sub = SubdeviceOf(it, subdevice, "comedi_get_subdevice_type");
  return sub ? sub->type : -1;
}

int comedi_find_subdevice_by_type(comedi_t* it, int type, unsigned int subd) {
  FakeComediCard* card = CardOf(it, "comedi_find_subdevice_by_type");
  if (!card) return -1;
  for (std::size_t i = subd; i < card->subdevices.size(); ++i) {
    if (card->subdevices[i].type == type) return static_cast<int>(i);
  }
  return Refuse(ENODEV);
}

int comedi_get_n_channels(comedi_t* it, unsigned int subdevice) {
  FakeComediSubdevice* sub = SubdeviceOf(it, subdevice, "comedi_get_n_channels");
  return sub ? sub->channels : -1;
}

lsampl_t comedi_get_maxdata(comedi_t* it, unsigned int subdevice, unsigned int chan) {
  FakeComediSubdevice* sub = SubdeviceOf(it, subdevice, "comedi_get_maxdata");
  if (!sub) return 0;
  if (chan >= static_cast<unsigned>(sub->channels)) {
    Refuse(EINVAL,
           "comedi_get_maxdata of channel " + std::to_string(chan) + " the subdevice lacks");
    return 0;
  }
  if (sub->maxdata == 0) gErrno = EIO;
  return sub->maxdata;
}

int comedi_get_n_ranges(comedi_t* it, unsigned int subdevice, unsigned int chan) {
  FakeComediSubdevice* sub = SubdeviceOf(it, subdevice, "comedi_get_n_ranges");
  if (!sub) return -1;
  if (chan >= static_cast<unsigned>(sub->channels)) {
    return Refuse(EINVAL, "comedi_get_n_ranges of a channel the subdevice lacks");
  }
  return static_cast<int>(sub->ranges.size());
}

comedi_range* comedi_get_range(comedi_t* it, unsigned int subdevice, unsigned int chan,
                               unsigned int range) {
  FakeComediSubdevice* sub = SubdeviceOf(it, subdevice, "comedi_get_range");
  if (!sub) return nullptr;
  if (chan >= static_cast<unsigned>(sub->channels) || range >= sub->ranges.size()) {
    Refuse(EINVAL, "comedi_get_range of a channel or range the subdevice lacks");
    return nullptr;
  }
  return &sub->ranges[range];
}

int comedi_data_read(comedi_t* it, unsigned int subd, unsigned int chan, unsigned int range,
                     unsigned int aref, lsampl_t* data) {
  FakeComedi& fake = FakeComedi::Current();
  FakeComediSubdevice* sub = Target(it, subd, chan, range, COMEDI_SUBD_AI, "comedi_data_read");
  if (!sub) return -1;
  if (it->card->readsBeforeFailure >= 0 && fake.reads >= it->card->readsBeforeFailure) {
    return Refuse(it->card->failErrno);
  }
  ++fake.reads;
  fake.lastRead = {subd, chan, range, aref, 0};
  *data = sub->sample ? sub->sample(chan) : (sub->maxdata + 1) / 2;
  if (*data > sub->maxdata) fake.violations.push_back("the test's sample exceeds maxdata");
  fake.lastRead.data = *data;
  return 1;
}

int comedi_data_write(comedi_t* it, unsigned int subd, unsigned int chan, unsigned int range,
                      unsigned int aref, lsampl_t data) {
  FakeComedi& fake = FakeComedi::Current();
  FakeComediSubdevice* sub = Target(it, subd, chan, range, COMEDI_SUBD_AO, "comedi_data_write");
  if (!sub) return -1;
  if (data > sub->maxdata) {
    return Refuse(EINVAL, "comedi_data_write of " + std::to_string(data) + " above maxdata");
  }
  fake.writes.push_back({subd, chan, range, aref, data});
  return 1;
}

}  // extern "C"
