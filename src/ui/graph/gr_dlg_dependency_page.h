#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "core/config/color_names.h"
#include "core/records/dta_header.h"

class GrDlgColorShape;
class QCheckBox;
class QComboBox;

// "Зависимости": eight X-Y curves, each with a colour (Shape33-40), an
// enabling box (CheckBox33-40), its ordinate (ComboBox1-8, group "Значения
// по оси Y") and its abscissa (ComboBox9-16, group "Значения по оси X").
// Every list holds the recorded channels in recorded-position order, so the
// chosen index is the stored position.
class GrDlgDependencyPage : public QWidget {
  Q_OBJECT

public:
  explicit GrDlgDependencyPage(QWidget* parent = nullptr);

  void Load(const std::vector<std::string>& choices,
            const std::array<tornel::Dependency, tornel::kDependencyCount>& deps,
            const std::array<tornel::Color, tornel::kDependencyCount>& colors);
  // A list with no chosen item (nothing recorded) stores -1.
  void Store(std::array<tornel::Dependency, tornel::kDependencyCount>& deps,
             std::array<tornel::Color, tornel::kDependencyCount>& colors) const;

private:
  std::array<GrDlgColorShape*, tornel::kDependencyCount> shapes_{};
  std::array<QCheckBox*, tornel::kDependencyCount> enabled_{};
  std::array<QComboBox*, tornel::kDependencyCount> y_{};
  std::array<QComboBox*, tornel::kDependencyCount> x_{};
};
