#pragma once

#include <QMessageBox>
#include <QPointer>

class QLayout;

// A message box of the program: titled with its name unless a command names
// it otherwise, and never so narrow that the frame cuts the title, however
// short the text ("h = 0.00100").
class TitledMessageBox : public QMessageBox {
public:
  static const QString kAppTitle;  // "TornelAD"

  TitledMessageBox(Icon icon, const QString& text, StandardButtons buttons,
                   QWidget* parent = nullptr, const QString& title = kAppTitle);

  // A question with the program's title; the button the user pressed.
  static StandardButton Ask(QWidget* parent, const QString& text,
                            StandardButtons buttons = StandardButtons(Yes | No),
                            StandardButton defaultButton = NoButton);

protected:
  void showEvent(QShowEvent* event) override;

private:
  QPointer<QLayout> widened_;  // the layout that has the title's row
};
