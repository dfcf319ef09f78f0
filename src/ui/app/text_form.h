#pragma once

#include <QDialog>

class QPushButton;
class QTextEdit;

// The description window shown before an experiment: a read-only rich text
// with both scroll bars, "Продолжить" (the default, focused on opening;
// result OK) and "Отменить" (result Cancel). Fixed size, above other windows,
// centred on the screen. Emits Shown() whenever it appears, so that the main
// window can put the DAC outputs at zero.
class TTextForm : public QDialog {
  Q_OBJECT

public:
  explicit TTextForm(QWidget* parent = nullptr);

  // Loads an RTF file into the text box; throws UserError
  // "Не удалось открыть файл <path>" when it cannot be read.
  void LoadFile(const QString& path);
  QTextEdit* RichEdit() const { return richEdit_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }

signals:
  void Shown();

protected:
  void showEvent(QShowEvent* event) override;

private:
  QTextEdit* richEdit_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
};
