#pragma once

namespace lithora::cli {

// Prepares the allocator for a run that fills a few large columns: large blocks come from one
// heap rather than a mapping each, and that heap is marked for transparent huge pages, so that
// filling tens of megabytes of columns takes a few hundred page faults instead of thousands.
// Only a hint: where the system offers no huge pages nothing changes but the fault count.
void prepareLargeColumnMemory();

}  // namespace lithora::cli
