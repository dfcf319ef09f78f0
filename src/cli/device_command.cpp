#include "cli/device_command.h"

#include "cli/tool_config.h"
#include "cli/tool_runner.h"
#include "core/device/comedi_device.h"
#include "core/device/loopback_check.h"

namespace tornel::cli {
namespace {

// The wiring the check asks for: DAC 1 to ADC 1.
constexpr int16_t kTestDac = 0;
constexpr int16_t kTestAdc = 0;

struct DeviceRequest {
  bool list = false;
  std::string testPath;
  std::string config;
};

std::optional<std::string> Parse(const std::vector<std::string>& args, DeviceRequest& request) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--list") {
      request.list = true;
      continue;
    }
    if (a != "--test" && a != "--config") return "неизвестный ключ " + a;
    if (i + 1 >= args.size()) return "ключу " + a + " нужно значение";
    (a == "--test" ? request.testPath : request.config) = args[++i];
  }
  if (request.list == !request.testPath.empty()) return "нужен ключ --list или --test ФАЙЛ";
  if (request.list && !request.config.empty()) return "--config нужен только для --test";
  return std::nullopt;
}

int RunTest(const DeviceRequest& request, std::ostream& out, std::ostream& err,
            const DeviceCommandSystem& system) {
  ToolConfig config = LoadToolConfig(request.config);
  DeviceChoice& choice = config.device;
  if (!choice.problem.empty()) err << "tornel-tool: " << choice.problem << '\n';
  choice.kind = DeviceChoice::Kind::Comedi;
  choice.comediPath = request.testPath;
  std::string notice;
  std::unique_ptr<Device> device = system.open(choice, &notice);
  if (!notice.empty()) err << "tornel-tool: " << notice << '\n';
  MonotonicTickClock systemClock;
  TickClock& clock = system.clock ? *system.clock : systemClock;
  out << "Проверка " << device->Description() << ": выход ЦАП " << kTestDac + 1
      << " соединён со входом АЦП " << kTestAdc + 1 << "\n";
  LoopbackResult result = RunLoopbackCheck(*device, clock, kTestDac, kTestAdc,
                                           config.table.Offset[kCapSlotBase + kTestDac]);
  out << DescribeLoopbackCheck(result, kTestDac, kTestAdc);
  return result.Passed() ? kExitOk : kExitFailure;
}

}  // namespace

DeviceCommandSystem RealDeviceSystem() {
  DeviceCommandSystem system;
  system.probe = ComediDevice::Probe;
  system.open = [](const DeviceChoice& choice, std::string* notice) -> std::unique_ptr<Device> {
    return ComediDevice::Open(choice, notice);
  };
  return system;
}

int DeviceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                  const DeviceCommandSystem& system) {
  DeviceRequest request;
  if (auto usage = Parse(args, request)) {
    err << "tornel-tool: " << *usage << "\n\n" << kUsage;
    return kExitUsage;
  }
  try {
    if (request.list) {
      out << ListComediCards(system.folder, system.probe);
      return kExitOk;
    }
    return RunTest(request, out, err, system);
  } catch (const UserError& e) {
    err << "tornel-tool: " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace tornel::cli
