#pragma once

class QTableView;

// Widens every column of `table` that is narrower than its header text or
// a cell in sight. A column is never narrowed, so a width the user dragged
// stays until a new text needs more.
void WidenColumnsToFit(QTableView* table);
