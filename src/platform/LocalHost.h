#pragma once

#include <QString>

namespace pravik {

namespace LocalHost {

// The first IPv4 address the host-name lookup gives for the local host, as
// "%d.%d.%d.%d" in network byte order; "0.0.0.0" when it gives none.
QString FirstIPv4Address();

} // namespace LocalHost
} // namespace pravik
