#pragma once

#include "host/remote/server.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace remote_test {

// A TestRoot served on its own thread (its objects live and are called there only), on a
// socket in a temporary folder, for as long as this object lives.
class ServedRoot
{
public:
    explicit ServedRoot(host::remote::ServerOptions options = {});
    ~ServedRoot();

    const QString& socketPath() const { return m_path; }

private:
    class Thread;
    QTemporaryDir m_dir;
    QString m_path;
    std::unique_ptr<Thread> m_thread;
};

} // namespace remote_test
