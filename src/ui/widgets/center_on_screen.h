#pragma once

class QWidget;

// Moves a top-level window to the middle of the primary screen's free area.
void CenterOnScreen(QWidget* window);
