#include "tests/host/remote/served_root.h"

#include "tests/host/remote/test_objects.h"

#include <QSemaphore>
#include <QThread>

#include <stdexcept>

namespace remote_test {

class ServedRoot::Thread : public QThread
{
public:
    Thread(QString path, host::remote::ServerOptions options)
        : m_path(std::move(path)), m_options(options)
    {
    }

    bool listening = false;
    QSemaphore ready;

protected:
    void run() override
    {
        {
            auto root = std::make_shared<TestRoot>();
            host::remote::Server server(root, m_options);
            root->clients = [&server] { return int(server.connectionCount()); };
            listening = server.listen(m_path);
            ready.release();
            if (listening)
                exec();
            server.close();
            root->clients = nullptr;
        }
    }

private:
    QString m_path;
    host::remote::ServerOptions m_options;
};

ServedRoot::ServedRoot(host::remote::ServerOptions options)
    : m_path(m_dir.filePath(QStringLiteral("host.sock"))),
      m_thread(std::make_unique<Thread>(m_path, options))
{
    m_thread->start();
    m_thread->ready.acquire();
    if (!m_thread->listening)
        throw std::runtime_error("the test server could not listen");
}

ServedRoot::~ServedRoot()
{
    m_thread->quit();
    m_thread->wait();
}

} // namespace remote_test
