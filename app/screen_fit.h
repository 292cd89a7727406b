#pragma once

class QWidget;

// Gives a window its preferred size, but no larger than the available area
// of its screen, title bar and frame included. Whatever does not fit is left
// to the window's scrolling. On Wayland, where the available area is the
// whole screen, a window that may not fit beside the desktop's panels is
// maximised instead, for the compositor to fit it.
void fitToScreen(QWidget& topLevel);
