#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <string>

// Controls that stand for a named component of the settings dialogs, carrying
// that name as their object name.

inline QLineEdit* MakeEdit(QWidget* parent, const char* name, bool readOnly) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setReadOnly(readOnly);
  return edit;
}

inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  return label;
}

// A button that Enter does not press unless it is made the default.
inline QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

// A channel name as a caption: an "&" in it shows as itself.
inline QString ChannelCaption(const std::string& name) {
  return QString::fromStdString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}
