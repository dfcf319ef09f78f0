#pragma once

#include <cstddef>
#include <memory>

#include "core/scheme/block.h"
#include "core/scheme/connect_line.h"
#include "core/scheme/scheme_edit.h"

namespace tornel {

// The four steps of line making, each a change of the one dragged line:
// start one at an output, complete it on a free input, drop it, or detach a
// complete line from its input to drag it on. The editor joins a start and a
// completion (or a detach and what follows) into one undo step.
class LineEdit final : public SchemeEdit {
public:
  enum class Step { Start, Complete, Drop, Detach };

  // Each returns null when the step is not possible: a line is already
  // dragged (Start, Detach), none is (Complete, Drop), the port does not
  // exist, the input is taken (Complete) or free (Detach).
  static std::unique_ptr<LineEdit> Start(const Scheme& scheme, TBlock* source, int output);
  static std::unique_ptr<LineEdit> Complete(const Scheme& scheme, TBlock* dest, int input);
  static std::unique_ptr<LineEdit> Drop(const Scheme& scheme);
  static std::unique_ptr<LineEdit> Detach(const Scheme& scheme, TBlock* dest, int input);

  void Apply(Scheme& scheme) override;
  void Revert(Scheme& scheme) override;
  std::string Text() const override;

  TConnectLine* Line() const { return line_; }

private:
  LineEdit(Step step, TConnectLine* line, TBlock* block, int port)
      : step_(step), line_(line), block_(block), port_(port) {}

  // Creates (true) or removes (false) the dragged line.
  void SetPresent(Scheme& scheme, bool present);

  Step step_;
  TConnectLine* line_;
  TBlock* block_;  // the destination of Complete and Detach
  int port_;
  std::unique_ptr<TConnectLine> owned_;  // while the line is out of the scheme
  std::size_t index_ = 0;
};

}  // namespace tornel
