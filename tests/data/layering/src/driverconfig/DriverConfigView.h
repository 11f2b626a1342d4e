#include "driverconfig/TfmConfig.h"
