#pragma once

class QWidget;

// Ends the event loop once the window's first paint has been drawn and handed
// to the screen, so that a run of the program measures launch to first paint.
void quitAfterFirstPaint(QWidget& window);
