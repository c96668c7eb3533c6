#pragma once

class QWidget;

// What the window's flows may ask of the window: the widget their dialogs belong to, the current theme and
// whether a run is working. A flow sees nothing else of the window, so a test can stand in for it.
class FlowHost {
public:
    virtual ~FlowHost() = default;

    virtual QWidget* dialogParent() = 0;
    virtual int theme() const = 0;
    virtual bool isRunWorking() const = 0;
};
