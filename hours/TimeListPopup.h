#pragma once

class QComboBox;

// The drop-down of a time list opens below the list with a bounded number of items and a scroll
// bar, not as tall as the screen.
void BoundTimeListPopup(QComboBox& list);
