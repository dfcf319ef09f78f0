#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "core/scheme/block.h"
#include "core/scheme/block_factory.h"
#include "core/scheme/connect_line.h"

namespace tornel {

// The blocks and lines of one scheme window, in creation order (which fixes
// numbering in the file and in the calculation). The operations below keep
// every connection invariant of TBlock and TConnectLine true; the editing
// operations the user sees are SchemeEdit objects built on them.
class Scheme {
public:
  // `factory` is not owned and must outlive the scheme.
  explicit Scheme(const BlockFactory& factory) : factory_(&factory) {}
  Scheme(Scheme&&) noexcept = default;
  Scheme& operator=(Scheme&&) noexcept = default;

  const std::vector<std::unique_ptr<TBlock>>& Blocks() const { return blocks_; }
  const std::vector<std::unique_ptr<TConnectLine>>& Lines() const { return lines_; }
  // The line being dragged, or null. It stays among Lines() in its place.
  TConnectLine* DragLine() const { return dragLine_; }
  const BlockFactory& Factory() const { return *factory_; }

  // The first graph block, or null.
  TBlock* GraphBlock() const;
  // False for a second graph block.
  bool CanPlace(int kind) const;

  std::size_t IndexOf(const TBlock* block) const;
  std::size_t IndexOf(const TConnectLine* line) const;

  // `index` at most the count.
  void InsertBlock(std::size_t index, std::unique_ptr<TBlock> block);
  // The block must have no line left.
  std::unique_ptr<TBlock> TakeBlock(TBlock* block);
  // Attaches both ends: a line without Dest becomes the dragged line (there
  // must be none), a complete line needs a free input.
  void InsertLine(std::size_t index, std::unique_ptr<TConnectLine> line);
  // Detaches both ends and removes the line.
  std::unique_ptr<TConnectLine> TakeLine(TConnectLine* line);
  // Completes the dragged line on a free input.
  void ConnectDragLine(TBlock* dest, int input);
  // The line into `input` becomes the dragged line, keeping its source.
  void DetachInput(TBlock* dest, int input);

  // Selects exactly the blocks whose bounds meet `band` (scheme coordinates,
  // corners in any order).
  void SelectInBand(PlotRect band);
  std::vector<TBlock*> SelectedBlocks() const;

  // The first connection invariant found broken, or empty. For tests and the
  // fuzz target: the operations above never break one.
  std::string CheckInvariants() const;

  // Calculation settings; not stored in the scheme file.
  double Step = 0.001;
  double EndTime = 1.0;
  double Time = 0.0;
  std::string FileName;

private:
  void AttachSource(TConnectLine& line, int delta);

  const BlockFactory* factory_;
  std::vector<std::unique_ptr<TBlock>> blocks_;
  std::vector<std::unique_ptr<TConnectLine>> lines_;
  TConnectLine* dragLine_ = nullptr;
};

}  // namespace tornel
