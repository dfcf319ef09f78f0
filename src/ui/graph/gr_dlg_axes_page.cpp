#include "ui/graph/gr_dlg_axes_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/graph/record_settings.h"
#include "ui/widgets/edit_numbers.h"

namespace {

constexpr int kAxisDecimals = 2;

QString Fixed(double value) { return FixedText(value, kAxisDecimals); }

// An edit still showing the loaded value keeps that value exactly: the two
// decimals shown must not round an autoranged limit on every OK.
double TypedOrLoaded(const QLineEdit* edit, double loaded) {
  return edit->text() == Fixed(loaded) ? loaded : LenientNumber(edit);
}

struct Preset {
  const char* name;
  double xFrom, xTo, yFrom, yTo;
};

constexpr Preset kPresets[] = {
    {"SpeedButton1", -1.2, 1.2, -1.2, 1.2},
    {"SpeedButton2", 0.0, 1.2, -1.2, 1.2},
    {"SpeedButton3", 0.0, 1.2, 0.0, 1.2},
};

// A preset's caption: "±1,2" for a range symmetric about 0, "0…1,2" otherwise.
QString RangeText(double from, double to) {
  const QString end = FixedText(to, 1);
  return from < 0 ? QStringLiteral("±") + end : QStringLiteral("0…") + end;
}

}  // namespace

GrDlgAxesPage::GrDlgAxesPage(QWidget* parent) : QWidget(parent) {
  auto* xGroup = AddRangeGroup("GroupBoxX", QStringLiteral(" Ось X "),
                               QStringLiteral("по оси X, о.е."), "EXmin", "EXmax", xMin_, xMax_);
  auto* yGroup = AddRangeGroup("GroupBoxY", QStringLiteral(" Ось Y "),
                               QStringLiteral("по оси Y, о.е."), "EYmin", "EYmax", yMin_, yMax_);
  tGroup_ = AddRangeGroup("GroupBoxT", QStringLiteral(" Ось t "), QStringLiteral("по оси t, с"),
                          "Etmin", "Etmax", tMin_, tMax_);

  auto* divisions = new QGroupBox(QStringLiteral(" Количество делений осей "), this);
  divisions->setObjectName(QStringLiteral("GroupBoxDiv"));
  divX_ = AddDivisions("UpDownX", "EdelX");
  divY_ = AddDivisions("UpDownY", "EdelY");
  auto* divGrid = new QGridLayout(divisions);
  divGrid->addWidget(new QLabel(QStringLiteral("Количество делений\nпо осям X и t"), divisions), 0,
                     0);
  divGrid->addWidget(divX_, 0, 1);
  divGrid->addWidget(new QLabel(QStringLiteral("Количество делений\nпо оси Y"), divisions), 1, 0);
  divGrid->addWidget(divY_, 1, 1);

  auto* presets = new QVBoxLayout;
  for (const Preset& p : kPresets) {
    auto* button = new QToolButton(this);
    button->setObjectName(QLatin1String(p.name));
    button->setText(
        QStringLiteral("X %1   Y %2").arg(RangeText(p.xFrom, p.xTo), RangeText(p.yFrom, p.yTo)));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(button, &QToolButton::clicked, this, [this, p] {
      SetRange(xMin_, xMax_, p.xFrom, p.xTo);
      SetRange(yMin_, yMax_, p.yFrom, p.yTo);
    });
    presets->addWidget(button);
  }
  presets->addStretch();

  auto* grid = new QGridLayout(this);
  grid->addWidget(xGroup, 0, 0);
  grid->addWidget(yGroup, 0, 1);
  grid->addWidget(tGroup_, 1, 0);
  grid->addWidget(divisions, 1, 1);
  grid->addLayout(presets, 0, 2, 2, 1);
  grid->setRowStretch(2, 1);
}

QGroupBox* GrDlgAxesPage::AddRangeGroup(const char* name, const QString& title, const QString& axis,
                                        const char* minName, const char* maxName, QLineEdit*& min,
                                        QLineEdit*& max) {
  auto* group = new QGroupBox(title, this);
  group->setObjectName(QLatin1String(name));
  min = new QLineEdit(group);
  min->setObjectName(QLatin1String(minName));
  max = new QLineEdit(group);
  max->setObjectName(QLatin1String(maxName));
  for (QLineEdit* edit : {min, max}) {
    edit->setMaxLength(32);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000,00")) + 8);
  }
  auto* grid = new QGridLayout(group);
  grid->addWidget(new QLabel(QStringLiteral("Минимальное значение\n") + axis, group), 0, 0);
  grid->addWidget(min, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Максимальное значение\n") + axis, group), 1, 0);
  grid->addWidget(max, 1, 1);
  return group;
}

QSpinBox* GrDlgAxesPage::AddDivisions(const char* spinName, const char* editName) {
  auto* spin = new QSpinBox(this);
  spin->setObjectName(QLatin1String(spinName));
  spin->setRange(tornel::kMinDivisions, tornel::kMaxDivisions);
  spin->setWrapping(false);
  // The up-down and its edit are one control here; the edit keeps its name.
  if (auto* edit = spin->findChild<QLineEdit*>()) edit->setObjectName(QLatin1String(editName));
  return spin;
}

void GrDlgAxesPage::SetRange(QLineEdit* min, QLineEdit* max, double from, double to) {
  min->setText(Fixed(from));
  max->setText(Fixed(to));
}

void GrDlgAxesPage::Load(const tornel::RecordSettings& s, bool isStatic) {
  loaded_ = {s.XMin, s.XMax, s.YMin, s.YMax, s.TMin, s.TMax};
  SetRange(xMin_, xMax_, s.XMin, s.XMax);
  SetRange(yMin_, yMax_, s.YMin, s.YMax);
  SetRange(tMin_, tMax_, s.TMin, s.TMax);
  divX_->setValue(s.DivX);
  divY_->setValue(s.DivY);
  tGroup_->setVisible(!isStatic);
}

void GrDlgAxesPage::Store(tornel::RecordSettings& s) const {
  s.XMin = TypedOrLoaded(xMin_, loaded_[0]);
  s.XMax = TypedOrLoaded(xMax_, loaded_[1]);
  s.YMin = TypedOrLoaded(yMin_, loaded_[2]);
  s.YMax = TypedOrLoaded(yMax_, loaded_[3]);
  s.TMin = TypedOrLoaded(tMin_, loaded_[4]);
  s.TMax = TypedOrLoaded(tMax_, loaded_[5]);
  s.DivX = divX_->value();
  s.DivY = divY_->value();
}
