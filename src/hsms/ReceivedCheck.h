#pragma once

#include "hsms/LinkRecords.h"

namespace pravik {

class DefinitionIndex;
class SmlNode;

// Decodes a received body into record (body and decoded, or raw when it is
// not valid SECS-II) and gives the verdict: S9F7 for bytes that are not
// SECS-II; with definitions, S9F3 / S9F5 for a stream / function none has
// and S9F7 for a body that does not conform; otherwise conforms (or not
// checked without definitions). The device ID and the length are the
// link's to judge before this.
void CheckReceived(DefinitionIndex* definitions, QByteArray bytes, TrafficRecord& record);

// The verdict of a body against one definition (message node), with the
// differing node's path and rows.
class ConformanceCache;
Verdict VerdictFor(const SmlNode& message, const SecsBody& body, ConformanceCache* cache = nullptr);

} // namespace pravik
