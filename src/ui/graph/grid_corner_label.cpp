#include "ui/graph/grid_corner_label.h"

#include <QAbstractButton>
#include <QEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTableView>

void GridCornerLabel::Install(QTableView* view, const QString& text) {
  auto* corner = view->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
  if (corner == nullptr) return;
  corner->setObjectName(QStringLiteral("GridCorner"));
  corner->setText(text);
  corner->installEventFilter(new GridCornerLabel(corner));
}

bool GridCornerLabel::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Paint) return false;
  auto* corner = static_cast<QAbstractButton*>(watched);
  QStyleOptionHeader option;
  option.initFrom(corner);
  option.rect = corner->rect();
  option.text = corner->text();
  option.textAlignment = Qt::AlignCenter;
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.state |= QStyle::State_Raised;
  QPainter painter(corner);
  corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
  return true;
}
