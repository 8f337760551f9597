// The ticks of the batch-build list, kept as section "Batchbuild" of "kelpo.ini": one
// "vc2019_arm64_release=1" line per ticked configuration.
#pragma once

#include <string>
#include <vector>

namespace kelpo {

// "<tool id>_<architecture name>_<type name>" of a code.
std::wstring BatchBuildKey(unsigned code);
// The code's key has a value above 0 in these section lines; keys compare without regard to case.
bool IsTicked(const std::vector<std::wstring>& sectionLines, unsigned code);
// The section lines for these ticked codes, in their order.
std::vector<std::wstring> BatchBuildLines(const std::vector<unsigned>& tickedCodes);

}  // namespace kelpo
