#pragma once

class QWidget;

// Gives a window its preferred size, but no larger than the available area
// of its screen, title bar and frame included. Whatever does not fit is left
// to the window's scrolling.
void fitToScreen(QWidget& topLevel);
