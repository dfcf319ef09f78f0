#pragma once

#include <QIcon>
#include <QPixmap>

// The 30 x 30 pictures of the block kinds: the palette's buttons and the
// images generators and static blocks draw on themselves.
class BlockIcons {
public:
  // The icon of a kind code; kind 0 is "no block".
  static QIcon Icon(int kind);
  static QPixmap Pixmap(int kind);
};
