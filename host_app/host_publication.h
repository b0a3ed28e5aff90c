#pragma once

#include "host_app/coalesced_refresh.h"

#include <QObject>
#include <QStringList>

#include <cstdint>

class QWidget;

namespace host::objects {
class Application;
}

namespace host_app {

class ModelSignals;

// What the desktop learns of this running host: its main window's id and title, and the
// files of the workbooks it holds open (books never saved have none).
struct PublishedHost
{
    std::int32_t windowId = 0;
    QString title;
    QStringList openFiles;
    friend bool operator==(const PublishedHost&, const PublishedHost&) = default;
};

// Follows what is published of the host as the model and the main window change, and tells
// when it changed: what a registry of running hosts reads and republishes.
class HostPublication : public QObject
{
    Q_OBJECT

public:
    HostPublication(host::objects::Application& app, ModelSignals& signals, QObject* parent);

    PublishedHost current() const { return m_current; }

Q_SIGNALS:
    void changed(const host_app::PublishedHost& published);

private:
    void check();

    host::objects::Application& m_app;
    PublishedHost m_current;
    CoalescedRefresh m_refresh;
};

} // namespace host_app
