#pragma once

#include "check/CheckRule.h"

#include <memory>
#include <vector>

namespace pravik {

// The checker's rules (DefinitionChecker.h lists them), a fresh set for
// each check: those that read one message at a time and those that see the
// facts of the whole document.
struct DefinitionRuleSet {
    std::vector<std::unique_ptr<CheckRule>> message;
    std::vector<std::unique_ptr<CheckRule>> document;
};
DefinitionRuleSet MakeDefinitionRules();
// Their descriptions, each once, in the order of their ids.
const std::vector<const RuleInfo*>& DefinitionRuleInfos();

} // namespace pravik
