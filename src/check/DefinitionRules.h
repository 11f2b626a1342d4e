#pragma once

#include "check/CheckRule.h"

#include <memory>
#include <vector>

namespace pravik {

// The checker's rules (DefinitionChecker.h lists them), a fresh set for
// each check, in the order of their ids.
std::vector<std::unique_ptr<CheckRule>> MakeDefinitionRules();
// Their descriptions, in the same order.
const std::vector<const RuleInfo*>& DefinitionRuleInfos();

} // namespace pravik
