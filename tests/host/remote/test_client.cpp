// A client in a process of its own that changes the host's switches, leaves a copy pending and
// then waits to be killed, for the test that a client's end puts the switches back.
//
//   remote_test_client SOCKET
#include "host/remote/client.h"
#include "host/xl/application.h"
#include "host/xl/range.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    try {
        const xl::Application host(host::remote::Client::connect(QString::fromLocal8Bit(argv[1])));
        host.setScreenUpdating(false);
        host.setEnableEvents(false);
        host.setInteractive(false);
        host.setDisplayAlerts(false);
        host.let(QStringLiteral("Cursor"), std::int32_t(2)); // xlWait
        host.Range(QStringLiteral("A1")).call(QStringLiteral("Copy"));
        std::printf("changed\n");
        std::fflush(stdout);
        for (;;)
            pause();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "remote_test_client: %s\n", e.what());
        return 1;
    }
}
