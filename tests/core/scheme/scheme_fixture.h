#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "core/config/channel_table.h"
#include "core/scheme/block_factory.h"
#include "core/scheme/fixed_text_measure.h"
#include "core/scheme/line_edit.h"
#include "core/scheme/place_block_edit.h"
#include "core/scheme/scheme.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"

namespace tornel::testing {

// A scheme over a fixed 7 x 13 pixel font and the default channel table, its
// temporary files in a folder of the test.
class SchemeTest : public ::testing::Test {
protected:
  TBlock* Place(int kind, int x = 0, int y = 0) {
    PlaceBlockEdit edit(scheme, kind, {x, y});
    edit.Apply(scheme);
    return edit.Block();
  }
  TConnectLine* Connect(TBlock* source, TBlock* dest, int input = 0) {
    auto start = LineEdit::Start(scheme, source, 0);
    EXPECT_TRUE(start);
    start->Apply(scheme);
    auto complete = LineEdit::Complete(scheme, dest, input);
    EXPECT_TRUE(complete);
    complete->Apply(scheme);
    return start->Line();
  }

  TempDir dir;
  ScopedTmpDir tmp{dir.Path().string()};
  FixedTextMeasure measure;
  ChannelTable table;
  BlockFactory factory{measure, table};
  Scheme scheme{factory};
};

// Everything an edit may change, as text, so that round trips compare whole
// schemes.
inline std::string Describe(const Scheme& scheme) {
  std::ostringstream s;
  for (const auto& b : scheme.Blocks()) {
    s << "B" << static_cast<const void*>(b.get()) << " k" << int(b->Kind) << " " << b->Left << ","
      << b->Top << " " << b->Width << "x" << b->Height << " r" << b->Rotated << " s" << b->Selected
      << " o" << b->Option << " c" << b->Channel << " p" << b->Params[0] << "," << b->Params[1]
      << "," << b->Params[2] << " [" << b->LabelLine[0] << "|" << b->LabelLine[1] << "] in";
    for (int i = 0; i < b->InCount; ++i) {
      s << " " << b->InPort[i].x << "," << b->InPort[i].y << ":"
        << static_cast<const void*>(b->InLine[i]);
    }
    s << " out" << b->OutLineCount[0] << b->OutConnected[0] << "\n";
  }
  for (const auto& l : scheme.Lines()) {
    s << "L" << static_cast<const void*>(l.get()) << " " << l->Source << ":" << l->SourceOutput
      << " -> " << l->Dest << ":" << (l->Dest ? l->DestInput : -1) << "\n";
  }
  s << "drag " << static_cast<const void*>(scheme.DragLine()) << "\n";
  return s.str();
}

// Apply, revert, apply again: the scheme goes to the same states each way
// and keeps its invariants throughout.
inline void ExpectRoundTrip(Scheme& scheme, SchemeEdit& edit) {
  const std::string before = Describe(scheme);
  edit.Apply(scheme);
  ASSERT_EQ(scheme.CheckInvariants(), "");
  const std::string after = Describe(scheme);
  EXPECT_NE(after, before) << edit.Text();
  edit.Revert(scheme);
  ASSERT_EQ(scheme.CheckInvariants(), "");
  EXPECT_EQ(Describe(scheme), before) << edit.Text();
  edit.Apply(scheme);
  ASSERT_EQ(scheme.CheckInvariants(), "");
  EXPECT_EQ(Describe(scheme), after) << edit.Text();
}

}  // namespace tornel::testing
