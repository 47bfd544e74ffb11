// Takes the single-copy lock in the folder given and dies without releasing
// it, as a crashed copy of the program would.
#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    auto* lock = new morvane::SingleInstance(QString::fromLocal8Bit(argv[1]));
    if (!lock->acquire())
        return 1;
    std::fputs("held\n", stdout);
    std::fflush(stdout);
    std::_Exit(0);
}
