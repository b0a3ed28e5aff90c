// Holds the main program's instance lock like a running main program would, until its
// standard input closes. Prints "locked" or "refused" first.
#include "main/startup/single_instance.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const picrows::InstanceLock lock(QString::fromLocal8Bit(argv[1]));
    std::puts(lock.acquired() ? "locked" : "refused");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
