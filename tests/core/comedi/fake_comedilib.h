#pragma once

#include <comedilib.h>

#include <cerrno>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tornel::testing {

// One subdevice of a scripted card.
struct FakeComediSubdevice {
  int type = COMEDI_SUBD_AI;
  int channels = 16;
  lsampl_t maxdata = 4095;
  std::vector<comedi_range> ranges = {{-10.0, 10.0, UNIT_volt}};
  // The sample a read of `channel` gives; the middle of the range without it.
  std::function<lsampl_t(unsigned channel)> sample;
};

// A card behind one device file.
struct FakeComediCard {
  std::string board = "fake-board";
  std::string driver = "fake_driver";
  std::vector<FakeComediSubdevice> subdevices;
  // Reads that succeed before every further comedi_data_read fails with
  // `failErrno`, as when the card is unplugged; -1: never.
  long readsBeforeFailure = -1;
  int failErrno = ENODEV;
};

struct FakeComediCall {
  unsigned subdevice = 0, channel = 0, range = 0, aref = 0;
  lsampl_t data = 0;
  bool operator==(const FakeComediCall&) const = default;
};

// The comedilib calls the backend makes, defined in fake_comedilib.cpp with
// the library's own signatures and scripted here, one instance per test. The
// calls behave as comedilib documents them (NULL or -1 and an error number
// for comedi_errno; 0 for maxdata on error); a call the real library or
// driver would refuse (a channel the subdevice lacks, a closed handle, data
// above maxdata) also lands in `violations`.
class FakeComedi {
public:
  FakeComedi();
  ~FakeComedi();
  FakeComedi(const FakeComedi&) = delete;
  FakeComedi& operator=(const FakeComedi&) = delete;

  // Device files that open; any other path fails with `openErrno`.
  std::map<std::string, FakeComediCard> cards;
  int openErrno = ENOENT;

  // What the calls did.
  std::vector<FakeComediCall> writes;
  long reads = 0;
  FakeComediCall lastRead;
  std::vector<std::string> violations;
  int OpenHandles() const;
  // The data last written to an output, 0 before any write.
  lsampl_t LastWritten(unsigned subdevice, unsigned channel) const;

  // For the C functions: the instance of the running test, and the handles
  // it gave out (kept after closing, so that a late call is caught).
  static FakeComedi& Current();
  comedi_t* Open(const std::string& path);
  std::vector<std::unique_ptr<comedi_t>> handles;
};

// A card with one analog input and one analog output subdevice.
FakeComediCard BenchCard(lsampl_t maxdata = 4095, comedi_range range = {-10.0, 10.0, UNIT_volt},
                         int inputs = 16, int outputs = 2);

}  // namespace tornel::testing
