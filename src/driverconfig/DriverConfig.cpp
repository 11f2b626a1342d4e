#include "driverconfig/DriverConfig.h"
