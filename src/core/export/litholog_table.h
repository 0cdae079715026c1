#pragma once
#include <vector>

#include "core/export/litholog.h"
#include "core/store/table.h"

namespace lithora::exporter {

// "Litholog.db" as the durable copy of the litholog model: fields TopDepth, BottomDepth,
// Lithology, one record per complete interval in order.

// The intervals the open table holds, in table order.
std::vector<LithologInterval> readLithologTable(const store::Table& table);

// Makes the open table hold the model's complete intervals: a record that differs is edited
// and posted on its own, surplus records are deleted, missing ones appended, so each change
// the user makes costs the posts of the records it touched. The depth fields' allowed range
// follows the model's. Throws store::StoreError.
void storeLithologTable(const LithologModel& model, store::Table& table);

}  // namespace lithora::exporter
