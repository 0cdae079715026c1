#pragma once
#include <filesystem>
#include <memory>
#include <vector>

#include "core/store/field.h"

namespace lithora::store {

// How much a table's file is trusted to survive a crash, and so when it is written.
// - Full (the litholog): each posted or deleted record is written alone, at once, in one
//   small synchronous transaction; a crash loses nothing entered, and a post costs the same
//   on a large table as on a small one.
// - Scratch (the source and elastic tables, derived from files the user still has): the
//   file is written whole after bulk work, on an explicit flush and on close, never per
//   post, in large pages without a journal, into a new file renamed over the old one.
// - Memory: no file at all, for a batch run that throws its tables away at the end. Such a
//   table still "exists" from creation to deletion and keeps its records while closed, so
//   the code that drives it is the same as for a table on disk; its path only names it.
enum class Durability { Memory, Scratch, Full };

// Where a table's data lives while it is closed, and how the open table's changes reach
// it. One implementation per durability. Every failure throws StoreError naming the table.
class TableStorage {
  public:
    virtual ~TableStorage() = default;

    virtual bool exists() const = 0;
    virtual void create(const TableImage& empty) = 0;  // refuses nothing: the table checks
    virtual TableImage open() = 0;
    virtual void close(TableImage&& image) = 0;  // after flush; memory keeps the image
    virtual void remove() = 0;                   // the table is closed
    virtual void emptyClosed() = 0;              // drops the records of the closed table

    // Changes to the open table, after they are made to the image.
    virtual void replaced(const TableImage& image) = 0;  // every record, as after a bulk load
    virtual void inserted(const TableImage& image, std::size_t row) = 0;
    virtual void changed(const TableImage& image, std::size_t row) = 0;
    virtual void erased(const TableImage& image, std::size_t row) = 0;
    // The display labels of these fields changed; written together, in one go.
    virtual void labelsChanged(const TableImage& image, const std::vector<std::size_t>& fields) = 0;
    virtual void flush(const TableImage& image) = 0;
};

std::unique_ptr<TableStorage> makeStorage(const std::filesystem::path& file, Durability durability);

}  // namespace lithora::store
