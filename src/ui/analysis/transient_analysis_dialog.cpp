#include "ui/analysis/transient_analysis_dialog.h"

#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/records/graph_record.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"
#include "ui/widgets/busy_scope.h"
#include "ui/widgets/error_box.h"
#include "ui/widgets/progress_dlg.h"

namespace {

// Significant digits shown; the clipboard gets them all.
constexpr int kShownDigits = 5;

QPushButton* Button(const char* name, const QString& caption) {
  auto* b = new QPushButton(caption);
  b->setObjectName(QLatin1String(name));
  b->setAutoDefault(false);
  return b;
}

std::vector<QStringList> Cells(const std::string& text) {
  std::vector<QStringList> rows;
  for (const QString& line : QString::fromStdString(text).split('\n', Qt::SkipEmptyParts)) {
    rows.push_back(line.split('\t'));
  }
  return rows;
}

}  // namespace

TransientAnalysisDialog::TransientAnalysisDialog(tornel::TGraphRecord& record, QWidget* parent)
    : QDialog(parent), record_(record) {
  setObjectName(QStringLiteral("TransientAnalysisDialog"));
  setWindowTitle(QStringLiteral("Анализ переходного процесса"));

  stepTime_ = new QLineEdit(QStringLiteral("0"));
  stepTime_->setObjectName(QStringLiteral("StepTimeEdit"));
  fromCursor_ = Button("FromCursorButton", QStringLiteral("По курсору 1"));
  band_ = new QComboBox;
  band_->setObjectName(QStringLiteral("SettleBandBox"));
  band_->addItems({QStringLiteral("5 %"), QStringLiteral("2 %")});
  fit_ = new QComboBox;
  fit_->setObjectName(QStringLiteral("FitBox"));
  fit_->addItems(
      {QStringLiteral("нет"), QStringLiteral("1-го порядка"), QStringLiteral("2-го порядка")});
  auto* stepRow = new QHBoxLayout;
  stepRow->addWidget(stepTime_);
  stepRow->addWidget(fromCursor_);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Момент скачка T0, с:"), stepRow);
  form->addRow(QStringLiteral("Зона установления:"), band_);
  form->addRow(QStringLiteral("Модель:"), fit_);

  table_ = new QTableWidget;
  table_->setObjectName(QStringLiteral("ResultTable"));
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // A channel is chosen by its column, for "Создать схему".
  table_->setSelectionBehavior(QAbstractItemView::SelectColumns);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setMinimumSize(360, 200);
  table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);

  QPushButton* analyse = Button("AnalyseButton", QStringLiteral("Рассчитать"));
  analyse->setDefault(true);
  copy_ = Button("CopyButton", QStringLiteral("Скопировать"));
  scheme_ = Button("SchemeButton", QStringLiteral("Создать схему"));
  QPushButton* close = Button("CloseButton", QStringLiteral("Закрыть"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(analyse);
  buttons->addWidget(copy_);
  buttons->addWidget(scheme_);
  buttons->addStretch();
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  resize(640, 640);

  connect(fromCursor_, &QPushButton::clicked, this, &TransientAnalysisDialog::TakeCursorTime);
  connect(analyse, &QPushButton::clicked, this, &TransientAnalysisDialog::Analyse);
  connect(copy_, &QPushButton::clicked, this, &TransientAnalysisDialog::Copy);
  connect(scheme_, &QPushButton::clicked, this, &TransientAnalysisDialog::RequestScheme);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  UpdateButtons();
}

void TransientAnalysisDialog::SetCursorFrame(std::optional<int64_t> frame) {
  cursorFrame_ = frame;
  UpdateButtons();
}

void TransientAnalysisDialog::TakeCursorTime() {
  if (!cursorFrame_) return;
  const tornel::TransientSource source = tornel::SourceOfRecord(record_, {});
  if (source.Frames < 1) return;
  stepTime_->setText(QString::fromStdString(
      tornel::FormatGeneral(source.FrameTime(*cursorFrame_), tornel::SystemDecimalSeparator())));
}

bool TransientAnalysisDialog::Analyse() {
  const std::optional<double> t0 = tornel::StrToFloatStrict(stepTime_->text().toStdString());
  if (!t0) {
    ErrorBox::Show(this, QStringLiteral("Момент скачка T0 — число секунд от начала записи"));
    return false;
  }
  const tornel::StepOptions options{*t0, band_->currentIndex() == 1 ? 2 : 5};
  constexpr tornel::FitKind kFits[] = {tornel::FitKind::None, tornel::FitKind::First,
                                       tornel::FitKind::Second};
  const tornel::FitKind fit = kFits[std::clamp(fit_->currentIndex(), 0, 2)];
  std::optional<tornel::TransientAnalysis> result;
  const bool done = ErrorBox::Guard(this, [&] {
    BusyScope busy;
    record_.RecountRecord();
    const tornel::TransientSource source = tornel::SourceOfRecord(record_, fileName_.toStdString());
    const std::vector<tornel::AnalysisChannel> channels = tornel::ShownChannels(record_);
    if (channels.empty()) throw tornel::UserError("Ни один канал не показан на графике");
    // Fits of several long channels take seconds.
    TProgressDlg progress(this);
    progress.setWindowTitle(windowTitle());
    if (fit != tornel::FitKind::None) progress.show();
    result = tornel::AnalyseTransient(source, channels, options, fit, {},
                                      [&progress](int done, int total) {
                                        progress.SetMax(total);
                                        progress.SetPosition(done - 1);
                                        progress.StepIt();
                                      });
  });
  if (!done) return false;
  result_ = std::move(result);
  FillTable();
  emit ResultChanged();
  return true;
}

void TransientAnalysisDialog::FillTable() {
  table_->clear();
  if (!result_) {
    table_->setRowCount(0);
    table_->setColumnCount(0);
    UpdateButtons();
    return;
  }
  const std::vector<QStringList> rows =
      Cells(tornel::AnalysisTableText(*result_, tornel::SystemDecimalSeparator(), kShownDigits));
  // The first row names the channels: the column headers.
  const int columns = rows.empty() ? 0 : static_cast<int>(rows[0].size()) - 1;
  table_->setColumnCount(columns);
  table_->setRowCount(static_cast<int>(rows.size()) - 1);
  table_->setHorizontalHeaderLabels(rows[0].mid(1));
  QStringList names;
  for (std::size_t r = 1; r < rows.size(); ++r) {
    names << rows[r].value(0);
    for (int c = 0; c < columns; ++c) {
      table_->setItem(static_cast<int>(r) - 1, c, new QTableWidgetItem(rows[r].value(c + 1)));
    }
  }
  table_->setVerticalHeaderLabels(names);
  table_->resizeColumnsToContents();
  // The column of the first channel with a fit is the one a scheme is made of.
  const auto& channels = result_->Channels;
  const auto fitted =
      std::find_if(channels.begin(), channels.end(), [](const auto& c) { return c.Fit.Converged; });
  table_->selectColumn(fitted == channels.end() ? 0 : int(fitted - channels.begin()));
  UpdateButtons();
}

QString TransientAnalysisDialog::CopyText() const {
  if (!result_) return {};
  return QString::fromStdString(
      tornel::AnalysisTableText(*result_, tornel::SystemDecimalSeparator()));
}

void TransientAnalysisDialog::Copy() {
  if (result_) QGuiApplication::clipboard()->setText(CopyText());
}

void TransientAnalysisDialog::RequestScheme() {
  if (!result_) return;
  const int column = std::max(0, table_->currentColumn());
  if (column >= static_cast<int>(result_->Channels.size())) return;
  const tornel::ChannelAnalysis& c = result_->Channels[static_cast<std::size_t>(column)];
  if (!c.Fit.Converged) {
    ErrorBox::Show(this, QStringLiteral("Для канала «%1» нет сошедшейся аппроксимации")
                             .arg(QString::fromStdString(c.Channel.Name)));
    return;
  }
  emit SchemeRequested({c.Fit, record_.Duration, c.Channel.Name});
}

void TransientAnalysisDialog::Forget() {
  if (!result_) return;
  result_.reset();
  FillTable();
  emit ResultChanged();
}

void TransientAnalysisDialog::UpdateButtons() {
  fromCursor_->setEnabled(cursorFrame_.has_value());
  copy_->setEnabled(result_.has_value());
  const bool fitted = result_ && std::any_of(result_->Channels.begin(), result_->Channels.end(),
                                             [](const auto& c) { return c.Fit.Converged; });
  scheme_->setEnabled(fitted);
}

void TransientAnalysisDialog::reject() {
  Forget();
  QDialog::reject();
}
