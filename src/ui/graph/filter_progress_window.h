#pragma once

#include <memory>

#include "core/graph/filter_progress.h"

class TProgressDlg;

// A filter's progress in the program's progress window: shown with the
// filter's title when the filter begins, released with the object. The
// window offers no way to stop, so every step goes on.
class FilterProgressWindow final : public tornel::FilterProgress {
public:
  FilterProgressWindow();
  ~FilterProgressWindow() override;

  void Begin(const std::string& caption, int maximum) override;
  bool Step() override;

private:
  std::unique_ptr<TProgressDlg> dialog_;
};
