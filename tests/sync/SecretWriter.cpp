// Files the password read from standard input in the secret store for
// SERVER and USER, as the options page does.
#include "sync/SecretStore.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QTextStream in(stdin);
    const QString failure = morvane::WriteSyncPassword(
        QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), in.readLine());
    if (!failure.isEmpty()) {
        std::fputs(failure.toUtf8().constData(), stderr);
        return 1;
    }
    return 0;
}
