#include "ui/graph/graph_panels.h"

#include <QFrame>
#include <QSplitter>
#include <QSplitterHandle>
#include <QVBoxLayout>

QFrame* MakePanel(const char* name, QWidget* content, bool bordered) {
  auto* panel = new QFrame;
  panel->setObjectName(QLatin1String(name));
  panel->setMinimumSize(kMinPanelSize, kMinPanelSize);
  if (bordered) panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  auto* layout = new QVBoxLayout(panel);
  const int margin = bordered ? 1 : 0;
  layout->setContentsMargins(margin, margin, margin, margin);
  layout->addWidget(content);
  return panel;
}

QSplitter* MakeSplitter(const char* name, Qt::Orientation orientation, QWidget* first,
                        QWidget* second, int secondSize, int total) {
  auto* splitter = new QSplitter(orientation);
  splitter->setObjectName(QLatin1String(name));
  splitter->setHandleWidth(kPanelSplitterWidth);
  splitter->setChildrenCollapsible(false);
  splitter->addWidget(first);
  splitter->addWidget(second);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  splitter->setSizes({total - secondSize - kPanelSplitterWidth, secondSize});
  return splitter;
}

int SplitterAt(const QSplitter* splitter, const QWidget* window) {
  const QPoint at = splitter->handle(1)->mapTo(window, QPoint(0, 0));
  return splitter->orientation() == Qt::Horizontal ? at.x() : at.y();
}
