// The process-wide flags the command rules read, as they are now.
#pragma once

#include "base/core/CommandVocabulary.h"

namespace krovel {

RuleFlags CurrentRuleFlags();

} // namespace krovel
