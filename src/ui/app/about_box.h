#pragma once

#include <QDialog>

// "О программе": what the program is, its name and version, who made it.
class TAboutBox : public QDialog {
  Q_OBJECT

public:
  explicit TAboutBox(QWidget* parent = nullptr);
};
