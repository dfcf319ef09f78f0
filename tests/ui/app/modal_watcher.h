#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Answers the modal windows that a command opens, as a user would: each time
// a new one is active, `handler` gets it (once per window) and closes it.
// Anything the handler leaves open after a second is rejected, so a
// surprise dialog fails the test instead of hanging it.
class ModalWatcher : public QObject {
public:
  explicit ModalWatcher(std::function<void(QWidget*)> handler);

  int Seen() const { return static_cast<int>(seen_.size()); }

private:
  void Poll();

  std::function<void(QWidget*)> handler_;
  QTimer timer_;
  QList<QPointer<QWidget>> seen_;
  QPointer<QWidget> last_;
  int lastTicks_ = 0;
};

// The text of a message box, or empty for any other window.
QString MessageText(QWidget* window);
// Presses the message box's only button, or rejects any other dialog.
void Dismiss(QWidget* window);
