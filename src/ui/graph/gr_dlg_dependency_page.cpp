#include "ui/graph/gr_dlg_dependency_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/graph/dependency_choices.h"
#include "ui/graph/gr_dlg_color_shape.h"

namespace {

QComboBox* MakeList(QWidget* parent, int number) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QStringLiteral("ComboBox%1").arg(number));
  combo->setEditable(false);
  combo->setMinimumContentsLength(10);
  return combo;
}

}  // namespace

GrDlgDependencyPage::GrDlgDependencyPage(QWidget* parent) : QWidget(parent) {
  auto* yGroup = new QGroupBox(QStringLiteral("Значения по оси Y"), this);
  auto* xGroup = new QGroupBox(QStringLiteral("Значения по оси X"), this);
  // Each curve's box and swatch sit in the ordinate's row, so that both
  // groups keep the same row heights and the curves line up across them.
  auto* yRows = new QGridLayout(yGroup);
  auto* xRows = new QGridLayout(xGroup);
  for (int k = 0; k < tornel::kDependencyCount; ++k) {
    enabled_[k] = new QCheckBox(QString::number(k + 1), yGroup);
    enabled_[k]->setObjectName(QStringLiteral("CheckBox%1").arg(k + 33));
    shapes_[k] = new GrDlgColorShape(QStringLiteral("Shape%1").arg(k + 33), yGroup);
    y_[k] = MakeList(yGroup, k + 1);
    x_[k] = MakeList(xGroup, k + 9);
    yRows->addWidget(enabled_[k], k, 0);
    yRows->addWidget(shapes_[k], k, 1);
    yRows->addWidget(y_[k], k, 2);
    xRows->addWidget(x_[k], k, 0);
  }
  yRows->setColumnStretch(2, 1);
  auto* groups = new QHBoxLayout;
  groups->addWidget(yGroup, 3);
  groups->addWidget(xGroup, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addStretch();
}

void GrDlgDependencyPage::Load(const std::vector<std::string>& choices,
                               const std::array<tornel::Dependency, tornel::kDependencyCount>& deps,
                               const std::array<tornel::Color, tornel::kDependencyCount>& colors) {
  QStringList items;
  for (const std::string& name : choices) items.append(QString::fromStdString(name));
  const int count = static_cast<int>(items.size());
  for (int k = 0; k < tornel::kDependencyCount; ++k) {
    y_[k]->clear();
    x_[k]->clear();
    y_[k]->addItems(items);
    x_[k]->addItems(items);
    y_[k]->setCurrentIndex(tornel::DependencyChoiceIndex(deps[k].YIndex, count));
    x_[k]->setCurrentIndex(tornel::DependencyChoiceIndex(deps[k].XIndex, count));
    enabled_[k]->setChecked(deps[k].Enabled != 0);
    shapes_[k]->SetValue(colors[k]);
  }
}

void GrDlgDependencyPage::Store(std::array<tornel::Dependency, tornel::kDependencyCount>& deps,
                                std::array<tornel::Color, tornel::kDependencyCount>& colors) const {
  for (int k = 0; k < tornel::kDependencyCount; ++k) {
    deps[k].YIndex = y_[k]->currentIndex();
    deps[k].XIndex = x_[k]->currentIndex();
    deps[k].Enabled = enabled_[k]->isChecked() ? 1 : 0;
    colors[k] = shapes_[k]->Value();
  }
}
