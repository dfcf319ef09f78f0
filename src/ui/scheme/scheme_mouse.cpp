#include "ui/scheme/scheme_mouse.h"

#include <algorithm>

#include "core/scheme/block.h"
#include "core/scheme/line_edit.h"
#include "core/scheme/move_blocks_edit.h"
#include "core/scheme/resize_block_edit.h"
#include "core/scheme/scheme.h"

using tornel::BlockHit;
using tornel::Point;
using tornel::TBlock;

namespace {

constexpr int kGrip = 7;

bool OnWindowButton(const TBlock& block, Point p, int width) {
  return block.Kind == tornel::kKindGraph && p.x > width - 17 && p.x < width - 2 && p.y > 2 &&
         p.y <= 16;
}

bool InGrip(const TBlock& block, Point p) {
  return block.Kind == tornel::kKindGraph && !block.Maximised && p.x > block.Width - kGrip &&
         p.x < block.Width && p.y > block.Height - kGrip && p.y < block.Height;
}

}  // namespace

SchemeMouse::SchemeMouse(tornel::Scheme& scheme, Hooks hooks)
    : scheme_(scheme), hooks_(std::move(hooks)) {}

SchemeMouse::~SchemeMouse() = default;

bool SchemeMouse::Busy() const {
  return dragged_ != nullptr || resized_ != nullptr || line_ != nullptr || bandActive_;
}

tornel::PlotRect SchemeMouse::ShownBounds(const TBlock& block) const {
  if (!block.Maximised) return block.Bounds();
  const Point area = hooks_.AreaSize();
  return {0, 0, area.x, area.y};
}

Point SchemeMouse::Local(const TBlock& block, Point at) const {
  const tornel::PlotRect shown = ShownBounds(block);
  return {at.x - shown.Left, at.y - shown.Top};
}

void SchemeMouse::CancelGesture() {
  if (!Busy()) return;
  if (dragged_ != nullptr) {
    dragged_->Left = startCorner_.x;
    dragged_->Top = startCorner_.y;
  }
  if (line_ != nullptr) line_->Revert(scheme_);
  dragged_ = nullptr;
  resized_ = nullptr;
  line_.reset();
  bandActive_ = false;
  hooks_.Changed();
}

void SchemeMouse::Apply(std::unique_ptr<tornel::SchemeEdit> edit) {
  edit->Apply(scheme_);
  line_->Add(std::move(edit));
}

void SchemeMouse::Press(Point at, Qt::MouseButton button, bool shift) {
  if (Busy()) return;
  TBlock* block = hooks_.BlockAt(at);
  if (block == nullptr) {
    if (button != Qt::LeftButton) return;
    if (placeMode_ != 0) {
      const int kind = placeMode_;
      placeMode_ = 0;
      hooks_.Place(kind, at);
      return;
    }
    bandActive_ = true;
    band_ = {at.x, at.y, at.x, at.y};
    hooks_.Changed();
    return;
  }
  if (button == Qt::RightButton) {
    hooks_.EditBlock(block);
    return;
  }
  if (button != Qt::LeftButton) return;
  // A maximised block answers its window button only.
  if (block->Maximised) {
    PressWindowButton(block, Local(*block, at));
    return;
  }
  // Shift marks the block and the press goes on: a Shift-drag moves it.
  if (shift) {
    block->Selected = !block->Selected;
    hooks_.Changed();
  }
  PressOnBlock(block, at);
}

bool SchemeMouse::PressWindowButton(TBlock* block, Point p) {
  if (!OnWindowButton(*block, p, ShownBounds(*block).Width())) return false;
  block->Maximised = !block->Maximised;
  if (block->Maximised) hooks_.Raise(block);
  hooks_.Changed();
  return true;
}

void SchemeMouse::PressOnBlock(TBlock* block, Point at) {
  const Point p = Local(*block, at);
  origin_ = at;
  if (PressWindowButton(block, p)) return;
  if (InGrip(*block, p)) {
    resized_ = block;
    return;
  }
  const BlockHit hit = block->HitTest(p);
  if (hit.Where == BlockHit::Area::Body) {
    dragged_ = block;
    startCorner_ = {block->Left, block->Top};
    hooks_.Raise(block);
    return;
  }
  if (hit.Port < 0) return;
  std::unique_ptr<tornel::LineEdit> step;
  if (hit.Where == BlockHit::Area::OutputStrip) {
    step = tornel::LineEdit::Start(scheme_, block, hit.Port);
    detached_ = false;
  } else if (hit.Where == BlockHit::Area::InputStrip) {
    step = tornel::LineEdit::Detach(scheme_, block, hit.Port);
    detached_ = true;
    detachedFrom_ = block;
    detachedInput_ = hit.Port;
  }
  if (!step) return;
  line_ = std::make_unique<tornel::CompositeEdit>("");
  Apply(std::move(step));
  scheme_.DragLine()->EndPt = at;
  hooks_.Changed();
}

void SchemeMouse::Move(Point at) {
  if (dragged_ != nullptr) {
    // A block stops at the area's top and left edges, where scrolling and
    // the band still reach it.
    dragged_->Left = std::max(0, startCorner_.x + at.x - origin_.x);
    dragged_->Top = std::max(0, startCorner_.y + at.y - origin_.y);
    hooks_.Changed();
  } else if (line_ != nullptr && scheme_.DragLine() != nullptr) {
    scheme_.DragLine()->EndPt = at;
    hooks_.Changed();
  } else if (bandActive_) {
    band_.Right = at.x;
    band_.Bottom = at.y;
    hooks_.Changed();
  }
}

void SchemeMouse::Release(Point at, Qt::MouseButton button) {
  if (dragged_ != nullptr) {
    if (button != Qt::LeftButton) return;
    TBlock* block = dragged_;
    dragged_ = nullptr;
    const int dx = block->Left - startCorner_.x, dy = block->Top - startCorner_.y;
    // The block has moved along with the mouse: the edit is applied already.
    if (dx != 0 || dy != 0) {
      hooks_.Commit(std::make_unique<tornel::MoveBlocksEdit>(std::vector<TBlock*>{block}, dx, dy));
    }
    hooks_.Changed();
  } else if (resized_ != nullptr) {
    TBlock* block = resized_;
    resized_ = nullptr;
    auto edit = std::make_unique<tornel::ResizeBlockEdit>(
        scheme_, block, at.x - origin_.x + block->Width, at.y - origin_.y + block->Height);
    if (edit->Empty()) {
      hooks_.Changed();
      return;
    }
    edit->Apply(scheme_);
    hooks_.Commit(std::move(edit));
  } else if (line_ != nullptr) {
    EndLine(at);
  } else if (bandActive_) {
    bandActive_ = false;
    band_.Right = at.x;
    band_.Bottom = at.y;
    scheme_.SelectInBand(band_);
    hooks_.Changed();
  }
}

void SchemeMouse::EndLine(Point at) {
  TBlock* block = hooks_.BlockAt(at);
  std::unique_ptr<tornel::LineEdit> step;
  TBlock* dest = nullptr;
  int input = -1;
  if (block != nullptr && !block->Maximised) {
    const BlockHit hit = block->HitTest(Local(*block, at));
    if (hit.Where == BlockHit::Area::InputStrip && hit.Port >= 0) {
      step = tornel::LineEdit::Complete(scheme_, block, hit.Port);
      dest = block;
      input = hit.Port;
    }
  }
  if (!step) step = tornel::LineEdit::Drop(scheme_);
  const bool completed = dest != nullptr && step != nullptr;
  if (step) Apply(std::move(step));
  std::unique_ptr<tornel::CompositeEdit> gesture = std::move(line_);
  // A line started and dropped, or put back where it was, changed nothing.
  const bool unchanged =
      completed ? (detached_ && dest == detachedFrom_ && input == detachedInput_) : !detached_;
  if (!unchanged) {
    const char* text = !detached_  ? "Соединить блоки"
                       : completed ? "Переключить связь"
                                   : "Удалить связь";
    auto named = std::make_unique<tornel::CompositeEdit>(text);
    named->Add(std::move(gesture));
    hooks_.Commit(std::move(named));
  }
  hooks_.Changed();
}

Qt::CursorShape SchemeMouse::CursorAt(Point at) const {
  if (placeMode_ != 0) return Qt::DragMoveCursor;
  if (line_ != nullptr) return Qt::CrossCursor;
  const TBlock* block = hooks_.BlockAt(at);
  if (block == nullptr || block->Maximised) return Qt::ArrowCursor;
  const Point p = Local(*block, at);
  if (InGrip(*block, p)) return Qt::SizeFDiagCursor;
  const BlockHit hit = block->HitTest(p);
  if (hit.Where == BlockHit::Area::InputStrip || hit.Where == BlockHit::Area::OutputStrip) {
    return Qt::PointingHandCursor;
  }
  return Qt::ArrowCursor;
}
