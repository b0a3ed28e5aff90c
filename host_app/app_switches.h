#pragma once

#include <QObject>

class QWidget;

namespace host::objects {
class Application;
}

namespace host_app {

class ModelSignals;

// The host's switches where the user meets them: while Interactive is off the user's keys,
// clicks, wheel and drops reach none of the host's windows (automation goes on), and Cursor
// shows as the pointer over them. ScreenUpdating is the sheet views' own business.
class AppSwitches : public QObject
{
    Q_OBJECT

public:
    AppSwitches(host::objects::Application& app, ModelSignals& signals, QObject* parent = nullptr);
    ~AppSwitches() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();

    host::objects::Application& m_app;
    bool m_interactive = true;
    int m_cursor;
    bool m_overriding = false;
};

} // namespace host_app
