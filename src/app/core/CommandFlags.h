// The process-wide flags the command rules read, as they are now.
#pragma once

#include "app/core/CommandVocabulary.h"

namespace krovel {

RuleFlags CurrentRuleFlags();

} // namespace krovel
