#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "main_form_fixture.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/graph_frm.h"

namespace {

// Every graph window the main window takes offers "Спектр...", whoever made it.
TEST_F(MainFormTest, GraphWindowsOfTheMainWindowOfferTheSpectrum) {
  TMainForm& f = Form();
  f.show();
  auto* graph = new TGraphFrm(f);
  EXPECT_FALSE(graph->Actions().ASpectrum->isEnabled());
  f.AddChild(graph);
  EXPECT_TRUE(graph->Actions().ASpectrum->isEnabled());
}

}  // namespace
