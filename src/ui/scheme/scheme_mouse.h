#pragma once

#include <Qt>
#include <functional>
#include <memory>

#include "core/scheme/scheme_edit.h"
#include "core/scheme/scheme_geometry.h"

namespace tornel {
class CompositeEdit;
class Scheme;
class TBlock;
}  // namespace tornel

// What the mouse does on the drawing area and its blocks, as edits of the
// core: placing the palette's kind, dragging a block, making, moving and
// dropping lines, the graph block's corner grip and window button, the
// selection band and Shift-clicks. Points are in drawing-area (scheme)
// coordinates. A gesture that changes the scheme ends in one edit handed to
// Commit, already applied; one that changes nothing hands over nothing.
class SchemeMouse {
public:
  struct Hooks {
    // The topmost block under a point, or null.
    std::function<tornel::TBlock*(tornel::Point)> BlockAt;
    // Places a block of the kind with its corner at the point.
    std::function<void(int, tornel::Point)> Place;
    std::function<void(std::unique_ptr<tornel::SchemeEdit>)> Commit;
    // The right click: the block's own dialog or switch.
    std::function<void(tornel::TBlock*)> EditBlock;
    std::function<void(tornel::TBlock*)> Raise;
    // Something shown changed without an edit (a drag in progress, the band).
    std::function<void()> Changed;
    // The size of the visible drawing area, which a maximised block fills.
    std::function<tornel::Point()> AreaSize;
  };

  SchemeMouse(tornel::Scheme& scheme, Hooks hooks);
  ~SchemeMouse();

  int PlaceMode() const { return placeMode_; }
  void SetPlaceMode(int kind) { placeMode_ = kind; }
  bool BandActive() const { return bandActive_; }
  tornel::PlotRect Band() const { return band_; }
  // A gesture is under way: undo, saving and other edits wait for its end.
  bool Busy() const;
  // Puts back what the gesture under way has changed and ends it.
  void CancelGesture();
  // Where a block is shown: its bounds, or the whole area when maximised.
  tornel::PlotRect ShownBounds(const tornel::TBlock& block) const;

  void Press(tornel::Point at, Qt::MouseButton button, bool shift);
  void Move(tornel::Point at);
  void Release(tornel::Point at, Qt::MouseButton button);
  Qt::CursorShape CursorAt(tornel::Point at) const;

private:
  tornel::Point Local(const tornel::TBlock& block, tornel::Point at) const;
  void PressOnBlock(tornel::TBlock* block, tornel::Point at);
  // The graph block's window button; true when the press was on it.
  bool PressWindowButton(tornel::TBlock* block, tornel::Point local);
  void EndLine(tornel::Point at);
  void Apply(std::unique_ptr<tornel::SchemeEdit> edit);

  tornel::Scheme& scheme_;
  Hooks hooks_;
  int placeMode_ = 0;
  bool bandActive_ = false;
  tornel::PlotRect band_;
  tornel::TBlock* dragged_ = nullptr;
  tornel::TBlock* resized_ = nullptr;
  tornel::Point origin_;
  tornel::Point startCorner_;
  // The steps of the line gesture so far, each applied.
  std::unique_ptr<tornel::CompositeEdit> line_;
  bool detached_ = false;
  tornel::TBlock* detachedFrom_ = nullptr;
  int detachedInput_ = -1;
};
