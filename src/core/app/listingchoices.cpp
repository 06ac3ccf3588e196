#include "core/app/listingchoices.h"

namespace quorvane::core {

std::vector<PageChoice> pageChoices(const CheckedDisk&, const ListedEntry&) { return {}; }
void usePageChoice(Workspace&, const PageChoice&) {}

}  // namespace quorvane::core
