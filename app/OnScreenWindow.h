#pragma once

class QWidget;

// Keeps the fixed-size main window whole on the primary screen at any DPI. The scaling is chosen before the
// QApplication exists, because Qt reads it only once, when the application starts.
class OnScreenWindow {
public:
    static void prepareScaling();
    static void centre(QWidget& window);
};
