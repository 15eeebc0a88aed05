// A second (third, ...) instance of the editor's settings side for the
// registry tests, run as its own process:
//   hold <file> [board]      register, claim the board, print "WinH <n> claimed <0|1>",
//                            wait for a line on stdin, end normally
//   increment <file> <n>     n locked read-modify-write increments of Test/Counter
//   race <file> <board> <ms> at the given epoch time (ms), claim the board's busy mark,
//                            print "claimed <0|1>", wait for a line on stdin, end normally
#include "NumberFormat.h"
#include "SettingsStore.h"
#include "clsRegistry.h"

#include <QDateTime>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(argv[1], "hold") == 0) {
        zw::clsRegistry reg(file);
        const bool claimed = argc > 3 && reg.TryClaimGpibBusy(std::atoi(argv[3]));
        std::printf("WinH %d claimed %d\n", reg.WinH(), claimed ? 1 : 0);
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
        return 0;
    }
    if (std::strcmp(argv[1], "race") == 0 && argc > 4) {
        zw::clsRegistry reg(file);
        const qint64 start = QString::fromLocal8Bit(argv[4]).toLongLong();
        while (QDateTime::currentMSecsSinceEpoch() < start) {
        }
        const bool claimed = reg.TryClaimGpibBusy(std::atoi(argv[3]));
        std::printf("claimed %d\n", claimed ? 1 : 0);
        std::fflush(stdout);
        std::string line;
        std::getline(std::cin, line);
        return 0;
    }
    if (std::strcmp(argv[1], "increment") == 0 && argc > 3) {
        zw::SettingsStore store(file);
        for (int i = 0, n = std::atoi(argv[3]); i < n; ++i) {
            zw::SettingsStore::Sequence sequence(store);
            const double v = zw::NumberFormat::ValueOfText(
                store.read("Test", "Counter").value_or(QStringLiteral("0")));
            store.write("Test", "Counter", QString::number(int(v) + 1));
        }
        return 0;
    }
    return 2;
}
