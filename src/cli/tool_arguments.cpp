#include "cli/tool_arguments.h"

#include <string_view>

namespace tornel::cli {
namespace {

// A separator or decimal sign: one character, or "tab" / "\t" for a tab.
bool ParseSignChar(std::string_view text, char& out) {
  if (text == "tab" || text == "\\t") {
    out = '\t';
    return true;
  }
  if (text.size() != 1) return false;
  out = text[0];
  return true;
}

bool UsableSign(char c) {
  const bool numberChar = (c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' || c == 'E';
  return !numberChar && c != '"' && c != '\r' && c != '\n';
}

}  // namespace

const char* const kUsage =
    "Использование:\n"
    "  tornel-tool info ФАЙЛ.dta\n"
    "  tornel-tool export-csv ФАЙЛ.dta [-o ВЫХОД.csv] [--sep C] [--decimal C]\n"
    "  tornel-tool plot ФАЙЛ.dta -o ВЫХОД.png|ВЫХОД.svg|ВЫХОД.pdf [--size ШxВ]\n"
    "  tornel-tool filter ФАЙЛ.dta (--hanning | --rms МС | --abs | --exp K | --sort N)\n"
    "              [--channels СПИСОК] -o ВЫХОД.dta\n"
    "  tornel-tool run-scheme ФАЙЛ.str [--end T] [--step H] [--device none|sim]\n"
    "              [--config INI] -o ВЫХОД.csv|ВЫХОД.dta\n"
    "  tornel-tool record [--device none|sim|comedi[:DEV]] [--config INI] --channels СПИСОК\n"
    "              --duration S [--dac N=ВЕЛИЧИНА[@ЗАДЕРЖКА[/НАРАСТАНИЕ]]]... -o ВЫХОД.dta\n"
    "  tornel-tool recover [--list] [-o ПАПКА]\n"
    "  tornel-tool analyze ФАЙЛ.dta --channel N [--from T0] [--settle 2|5]\n"
    "              [--fit first|second] [--json]\n"
    "  tornel-tool spectrum ФАЙЛ.dta --channel N [--from T] [--to T] [--window hann|rect]\n"
    "              [--harmonics K] [--json]\n"
    "  tornel-tool device --list | --test /dev/comediN [--config INI]\n"
    "  tornel-tool --version\n"
    "\n"
    "info        сведения о файле данных: каналы, комментарии, дата, маски, оси, кадры\n"
    "export-csv  отсчёты в физических единицах в виде CSV (UTF-8);\n"
    "            без -o — в стандартный вывод; --sep и --decimal: один символ\n"
    "            (по умолчанию \",\" и \".\"; с --decimal , — \";\"), tab — табуляция\n"
    "plot        график с легендой, как его показывает окно графика, в PNG, SVG\n"
    "            или PDF; --size — размер в точках (по умолчанию 800x500)\n"
    "filter      фильтр Хеннинга, среднее квадратичное за МС мс, модуль сигнала или\n"
    "            экспоненциальное сглаживание с коэффициентом K по каналам АЦП\n"
    "            (--channels 1,6; по умолчанию все записанные), либо сортировка\n"
    "            статической характеристики по N-му записанному каналу;\n"
    "            результат — файл данных с отфильтрованными отсчётами\n"
    "run-scheme  расчёт схемы в модельном времени (по умолчанию до 1 с с шагом\n"
    "            0,001 с, без устройства); отсчёты блока «График» в CSV или .dta;\n"
    "            смещения каналов из --config, без него — нулевые\n"
    "record      переходный процесс без окна: каналы АЦП 1..16 через запятую,\n"
    "            сигналы ЦАП в кодах от нуля; Ctrl+C останавливает запись и\n"
    "            сохраняет записанное\n"
    "recover     несохранённые записи, оставленные аварийно завершённой программой:\n"
    "            --list — список, иначе каждая в ПАПКА/<имя>.dta (по умолчанию\n"
    "            в текущую папку)\n"
    "analyze     переходный процесс на канале АЦП N: начальное и установившееся\n"
    "            значения, время нарастания, запаздывания, максимума и установления\n"
    "            (в зоне 5 или 2 %), перерегулирование; скачок в момент T0 (по\n"
    "            умолчанию 0); --fit — модель 1-го или 2-го порядка по МНК;\n"
    "            --json — один объект JSON\n"
    "spectrum    амплитудный спектр канала АЦП N за T..T с (по умолчанию вся запись):\n"
    "            окно Хеннинга или прямоугольное, гармоники до K-й (по умолчанию 40),\n"
    "            THD и постоянная составляющая; --json — одним объектом JSON\n"
    "device      платы сбора данных: --list — платы /dev/comedi* с каналами,\n"
    "            разрядностью и диапазонами; --test — проверка платы, у которой выход\n"
    "            ЦАП 1 соединён со входом АЦП 1\n";

std::optional<UsageError> TakeInputWord(const std::string& word, std::string& input) {
  if (!word.empty() && word[0] == '-' && word != "-") {
    return UsageError{"неизвестный ключ \"" + word + "\""};
  }
  if (!input.empty()) return UsageError{"лишний аргумент \"" + word + "\""};
  input = word;
  return std::nullopt;
}

std::variant<ToolRequest, UsageError> ParseToolArguments(const std::vector<std::string>& args) {
  ToolRequest request;
  if (args.empty()) return UsageError{"не задана команда"};
  const std::string& command = args[0];
  if (command == "-h" || command == "--help" || command == "help") return request;
  if (command == "info") {
    request.command = ToolRequest::Command::Info;
  } else if (command == "export-csv") {
    request.command = ToolRequest::Command::ExportCsv;
  } else {
    return UsageError{"неизвестная команда \"" + command + "\""};
  }

  bool separatorGiven = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool csv = request.command == ToolRequest::Command::ExportCsv;
    if (csv && (a == "-o" || a == "--sep" || a == "--decimal")) {
      if (i + 1 >= args.size()) return UsageError{"после " + a + " нужно значение"};
      const std::string& value = args[++i];
      separatorGiven = separatorGiven || a == "--sep";
      if (a == "-o") {
        request.output = value;
      } else if (!ParseSignChar(value,
                                a == "--sep" ? request.csv.Separator : request.csv.Decimal)) {
        return UsageError{"значение " + a + " должно быть одним символом: \"" + value + "\""};
      }
    } else if (auto wrong = TakeInputWord(a, request.input)) {
      return *wrong;
    }
  }
  if (request.input.empty()) return UsageError{"не задан файл данных"};
  // What spreadsheets with a decimal comma expect.
  if (!separatorGiven && request.csv.Decimal == ',') request.csv.Separator = ';';

  // A number must stay readable: neither sign may be a quote, a line break
  // or a character of a number, and they must differ.
  const char sep = request.csv.Separator;
  const char dec = request.csv.Decimal;
  if (!UsableSign(sep)) return UsageError{"недопустимый разделитель"};
  if (!UsableSign(dec)) return UsageError{"недопустимый десятичный знак"};
  if (sep == dec) return UsageError{"разделитель и десятичный знак должны различаться"};
  return request;
}

}  // namespace tornel::cli
