#pragma once

#include <QString>

namespace picrows {

// Panel 1 of the insertion dialog's status bar, where long engine loops report progress.
// The dialog shows it; the batch command may print it or drop it.
class StatusPanel
{
public:
    virtual ~StatusPanel() = default;
    virtual void setText(const QString& text) = 0;
    // Back to what the dialog shows when it is idle.
    virtual void reset() = 0;
};

// A panel that shows nothing.
class NoStatusPanel : public StatusPanel
{
public:
    void setText(const QString&) override {}
    void reset() override {}
};

} // namespace picrows
