#pragma once

#include <QTextEdit>

class QAction;
class QMenu;

// MBase and MCaption: a borderless memo of centred plain text whose popup
// menu (PMBase, PMCaption) offers "Шрифт" to choose its font.
class GraphMemo : public QTextEdit {
  Q_OBJECT

public:
  // `name` is the memo's, `menuName` its popup's, `fontActionName` the font
  // item's ("MBase", "PMBase", "SelFontBase").
  GraphMemo(const QString& name, const QString& menuName, const QString& fontActionName,
            QWidget* parent = nullptr);

  QMenu* Popup() const { return popup_; }
  QAction* FontAction() const { return fontAction_; }
  // The text, centred.
  void SetText(const QString& text);

private:
  void ChooseFont();

  QMenu* popup_;
  QAction* fontAction_;
};
