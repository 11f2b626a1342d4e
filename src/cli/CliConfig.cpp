#include "cli/CliCommands.h"
#include "cli/CliOutput.h"

#include "driverconfig/DriverConfig.h"
#include "platform/PlatformError.h"

#include <cstdio>

namespace pravik::cli {

// Reads IN the way the configuration dialog imports a file and writes OUT the
// way its Save does, including the ".bak" backup and the in-place update.
int RunConfig(const Invocation& in) {
    DriverConfig config;
    const bool found = ReadDriverConfig(in.args[0], config);
    CheckOutputPath(in.args[1], kUnableToWriteTo);
    if (!found)
        std::fprintf(stderr, "%s\n",
                     QStringLiteral("파일이 존재하지 않아 기본값으로 생성하였습니다.")
                         .toLocal8Bit()
                         .constData());
    // The dialog's list keeps the device IDs in text order.
    SortDeviceIds(config.deviceIds);
    WriteDriverConfig(in.args[1], config);
    // Written as the dialog writes it; what the driver would refuse is said.
    const QStringList problems = DeviceIdProblems(config.deviceIds);
    for (const QString& problem : problems)
        std::fprintf(stderr, "%s: %s\n", in.args[0].toLocal8Bit().constData(),
                     problem.toLocal8Bit().constData());
    return problems.isEmpty() ? kExitOk : kExitFaults;
}

} // namespace pravik::cli
