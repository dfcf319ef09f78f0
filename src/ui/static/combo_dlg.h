#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

// "Параметры": picks one or two channels from lists. The caller sets which
// rows show, the label texts, the items and the selected indices, and reads
// the indices after "Продолжить". The lists are pick-only and always have an
// item selected when they have items at all; "Продолжить" is offered only
// when every shown list has items, so an index of -1 never comes back.
class TComboDlg : public QDialog {
  Q_OBJECT

public:
  explicit TComboDlg(QWidget* parent = nullptr);

  QLabel* Label1() const { return label1_; }
  QLabel* Label2() const { return label2_; }
  QComboBox* ComboBox1() const { return combo1_; }
  QComboBox* ComboBox2() const { return combo2_; }
  QPushButton* Button5() const { return ok_; }

  // Shows or hides Label2 with ComboBox2 (hidden at first).
  void SetSecondShown(bool shown);

  // One list: the label, the items and the preselected index; the chosen
  // index, or nothing when the user cancels.
  static std::optional<int> PickOne(QWidget* parent, const QString& label, const QStringList& items,
                                    int selected);

protected:
  void showEvent(QShowEvent* event) override;

private:
  void UpdateOk();

  QLabel* label1_;
  QLabel* label2_;
  QComboBox* combo1_;
  QComboBox* combo2_;
  QPushButton* ok_;
};
