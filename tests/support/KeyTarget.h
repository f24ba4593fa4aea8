#pragma once

class QWidget;

// The control a key pressed now reaches, as the window system delivers it:
// an open drop-down list (a pick list's completion, a combo box's list)
// takes the keys before the control it belongs to; else the focused control.
QWidget* keyTarget();
