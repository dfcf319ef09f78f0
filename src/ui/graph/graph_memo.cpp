#include "ui/graph/graph_memo.h"

#include <QAction>
#include <QFontDialog>
#include <QMenu>
#include <QTextOption>

GraphMemo::GraphMemo(const QString& name, const QString& menuName, const QString& fontActionName,
                     QWidget* parent)
    : QTextEdit(parent), popup_(new QMenu(this)), fontAction_(new QAction(this)) {
  setObjectName(name);
  setAcceptRichText(false);
  setFrameShape(QFrame::NoFrame);
  setLineWrapMode(QTextEdit::WidgetWidth);
  QTextOption option = document()->defaultTextOption();
  option.setAlignment(Qt::AlignHCenter);
  document()->setDefaultTextOption(option);

  popup_->setObjectName(menuName);
  fontAction_->setObjectName(fontActionName);
  fontAction_->setText(QStringLiteral("Шрифт"));
  popup_->addAction(fontAction_);
  connect(fontAction_, &QAction::triggered, this, &GraphMemo::ChooseFont);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { popup_->popup(mapToGlobal(pos)); });
}

void GraphMemo::SetText(const QString& text) {
  if (toPlainText() != text) setPlainText(text);
}

void GraphMemo::ChooseFont() {
  QFontDialog dialog(font(), this);
  dialog.setObjectName(QStringLiteral("FontDialog1"));
  if (dialog.exec() == QDialog::Accepted) setFont(dialog.selectedFont());
}
