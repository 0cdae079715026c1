#include "core/commands/merge_files.h"

#include "core/common/error.h"
#include "core/import/merge.h"
#include "core/store/table.h"

namespace lithora::commands {

namespace {

constexpr int kLogNameSize = 20;

// "Logs_Table": Log_Name, File_Number, Log_Number, created on first use.
void recordCurves(const std::filesystem::path& file, const std::vector<ListedFile>& listed,
                  const std::vector<int>& numbers) {
    store::Table table(file, store::Durability::Scratch);
    if (!table.exists()) {
        table.addFieldDef({"Log_Name", store::FieldType::Text, kLogNameSize});
        table.addFieldDef({"File_Number", store::FieldType::Integer});
        table.addFieldDef({"Log_Number", store::FieldType::Integer});
        table.createTable();
    }
    table.open();
    const int name = table.fieldIndex("Log_Name");
    const int fileNumber = table.fieldIndex("File_Number");
    const int logNumber = table.fieldIndex("Log_Number");
    for (std::size_t i = 0; i < listed.size(); ++i) {
        for (std::size_t k = 0; k < listed[i].curves.size(); ++k) {
            table.append();
            table.setText(name, listed[i].curves[k].substr(0, kLogNameSize));
            table.setInteger(fileNumber, numbers[i]);
            table.setInteger(logNumber, static_cast<std::int32_t>(k) + 1);
            table.post();
        }
    }
    table.close();
}

}  // namespace

ListOutcome listMergeFiles(workspace::Workspace& ws,
                           const std::vector<std::filesystem::path>& files) {
    ListOutcome out;
    std::vector<int> numbers;
    for (std::size_t i = 0; i < files.size(); ++i) {
        try {
            out.files.push_back({files[i], import::mergeCurveList(files[i])});
            numbers.push_back(static_cast<int>(i) + 1);
        } catch (const std::exception& e) {
            out.message += (out.message.empty() ? "" : "\n") + std::string(e.what());
        }
    }
    if (ws.source().inMemory() || out.files.empty()) return out;
    try {
        recordCurves(ws.programFolder() / workspace::kLogsTableFile, out.files, numbers);
    } catch (const std::exception& e) {
        // The list is what the dialog needs; a table that cannot be written is said, not fatal.
        if (out.message.empty()) out.message = e.what();
    }
    return out;
}

}  // namespace lithora::commands
