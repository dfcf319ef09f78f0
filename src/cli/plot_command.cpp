#include "cli/plot_command.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <charconv>
#include <memory>

#include "cli/tool_runner.h"
#include "core/records/graph_record.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"
#include "ui/canvas/record_picture.h"

namespace tornel::cli {
namespace {

bool ParseSide(std::string_view text, int& out) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

// "WxH" (or "W×H") with both sides in range.
bool ParseSize(const std::string& text, PlotRequest& request) {
  std::size_t x = text.find('x');
  std::size_t skip = 1;
  if (x == std::string::npos) {
    x = text.find("×");
    skip = std::string("×").size();
  }
  if (x == std::string::npos) return false;
  int w = 0, h = 0;
  if (!ParseSide(std::string_view(text).substr(0, x), w) ||
      !ParseSide(std::string_view(text).substr(x + skip), h)) {
    return false;
  }
  if (w < kMinPlotSide || w > kMaxPlotSide || h < kMinPlotSide || h > kMaxPlotSide) return false;
  request.width = w;
  request.height = h;
  return true;
}

// The Qt application that drawing text needs, made only when the caller
// has none.
class GuiSession {
public:
  GuiSession() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Starting, Qt looks for a sandbox's marker in the session's runtime
    // folder and warns on stderr when there is none (a batch job, ssh,
    // cron). A private, empty folder for this run answers it quietly.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
      runtimeDir_ = std::make_unique<QTemporaryDir>();
      if (runtimeDir_->isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir_->path()));
    }
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  ~GuiSession() {
    app_.reset();
    if (runtimeDir_) qunsetenv("XDG_RUNTIME_DIR");
  }
  GuiSession(const GuiSession&) = delete;
  GuiSession& operator=(const GuiSession&) = delete;

private:
  int argc_ = 1;
  char name_[12] = "tornel-tool";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QTemporaryDir> runtimeDir_;
  std::unique_ptr<QGuiApplication> app_;
};

void RunPlot(const PlotRequest& request) {
  GuiSession gui;
  const QString decimal = QLocale::system().decimalPoint();
  if (decimal.size() == 1 && decimal[0].unicode() < 0x80) {
    SetSystemDecimalSeparator(decimal[0].toLatin1());
  }
  TGraphRecord record;
  record.LoadDta(request.input);
  record.RecountRecord();
  RecordPicture picture;
  picture.size = QSize(request.width, request.height);
  picture.font = QFont(QGuiApplication::font().family(), 9);
  ExportRecordPicture(record, QString::fromStdString(request.output), picture);
}

}  // namespace

std::variant<PlotRequest, UsageError> ParsePlotArguments(const std::vector<std::string>& args) {
  PlotRequest request;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-o" || a == "--size") {
      if (i + 1 >= args.size()) return UsageError{"после " + a + " нужно значение"};
      const std::string& value = args[++i];
      if (a == "-o") {
        request.output = value;
      } else if (!ParseSize(value, request)) {
        return UsageError{"размер должен иметь вид ШxВ, каждая сторона от " +
                          std::to_string(kMinPlotSide) + " до " + std::to_string(kMaxPlotSide) +
                          " точек: \"" + value + "\""};
      }
    } else if (auto wrong = TakeInputWord(a, request.input)) {
      return *wrong;
    }
  }
  if (request.input.empty()) return UsageError{"не задан файл данных"};
  if (request.output.empty()) return UsageError{"не задан файл изображения (-o)"};
  return request;
}

int RunPlotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return RunParsed(ParsePlotArguments(args), RunPlot, out, err);
}

}  // namespace tornel::cli
