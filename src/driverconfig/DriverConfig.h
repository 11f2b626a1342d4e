#pragma once

namespace pravik {

// The values of one driver ".cfg" file (filled in with the configuration work).
struct DriverConfig {};

} // namespace pravik
