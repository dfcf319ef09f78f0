#include "ui/widgets/titled_message_box.h"

#include <QGridLayout>
#include <QSpacerItem>

#include "ui/widgets/design_size.h"

const QString TitledMessageBox::kAppTitle = QStringLiteral("TornelAD");

TitledMessageBox::TitledMessageBox(Icon icon, const QString& text, StandardButtons buttons,
                                   QWidget* parent, const QString& title)
    : QMessageBox(icon, title, text, buttons, parent) {}

void TitledMessageBox::showEvent(QShowEvent* event) {
  // The box takes its width from its layout's minimum as it is shown, and
  // lays itself out anew when an informative text is added; an empty row of
  // the title's width in the current layout is what widens it.
  auto* grid = qobject_cast<QGridLayout*>(layout());
  if (grid != nullptr && grid != widened_) {
    grid->addItem(new QSpacerItem(WholeTitleWidth(windowTitle()), 0, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
    widened_ = grid;
  }
  QMessageBox::showEvent(event);
}

QMessageBox::StandardButton TitledMessageBox::Ask(QWidget* parent, const QString& text,
                                                  StandardButtons buttons,
                                                  StandardButton defaultButton) {
  TitledMessageBox box(Question, text, buttons, parent);
  box.setDefaultButton(defaultButton);
  return static_cast<StandardButton>(box.exec());
}
