#include "cli/CliCommands.h"

#include "driverconfig/DriverConfig.h"

#include <cstdio>

namespace pravik::cli {

// Reads IN the way the configuration dialog imports a file and writes OUT the
// way its Save does, including the ".bak" backup and the in-place update.
int RunConfig(const QStringList& args) {
    if (args.size() != 2)
        return UsageError("pravik-cli config IN.cfg OUT.cfg");
    DriverConfig config;
    if (!ReadDriverConfig(args[0], config))
        std::fprintf(stderr, "%s\n",
                     QStringLiteral("파일이 존재하지 않아 기본값으로 생성하였습니다.")
                         .toLocal8Bit()
                         .constData());
    // The dialog's list keeps the device IDs in text order.
    SortDeviceIds(config.deviceIds);
    WriteDriverConfig(args[1], config);
    return kExitOk;
}

} // namespace pravik::cli
