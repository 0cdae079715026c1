#pragma once
#include <QString>

// Every command of the main window: one per menu item and tool button, and the commands of
// page buttons that have no menu item. A command is named by its id, so a misspelt command
// does not compile.
enum class CommandId {
    ImportAscii,              // File > Open > ASCII File
    ImportLas,                // File > Open > LAS File
    MergeFiles,               // File > Open 2: curves of several LAS files in one table
    OpenSession,              // File > Open Session
    SaveSession,              // File > Save Session
    ClearRecentList,          // File > Recent > Clear List
    EmptyTable,               // File > Empty Table
    SaveTable,                // File > Save Table
    PrintTracks,              // File > Print Tracks
    PrintTable,               // File > Print Table
    Exit,                     // File > Exit
    FindDepth,                // Edit > Find
    ApplyFilter,              // Edit > Filter
    UndoFilter,               // Edit > Undo Filter
    ElasticCorrelations,      // View > Elastic Correlations
    TimeLapse,                // View > Time Laps
    CrossPlots,               // View > Cross Plots
    ElasticParameters,        // Calculation > Elastic Parameters
    CorrelationCoefficients,  // Calculation > Correlation Coefficients
    FluidSubstitution,        // Calculation > Fluid Substitution
    AvoModel,                 // Calculation > AVO
    About,                    // About > About
    ConfigureColumns,         // the "Columns Configuration" button of the Table page
};

// The ids run from 0 to kCommandCount - 1.
inline constexpr int kCommandCount = static_cast<int>(CommandId::ConfigureColumns) + 1;

// The object name of the command's action ("ImportLas"): what a test or a log shows of it.
inline QString commandName(CommandId id) {
    switch (id) {
        case CommandId::ImportAscii:
            return QStringLiteral("ImportAscii");
        case CommandId::ImportLas:
            return QStringLiteral("ImportLas");
        case CommandId::MergeFiles:
            return QStringLiteral("MergeFiles");
        case CommandId::OpenSession:
            return QStringLiteral("OpenSession");
        case CommandId::SaveSession:
            return QStringLiteral("SaveSession");
        case CommandId::ClearRecentList:
            return QStringLiteral("ClearRecentList");
        case CommandId::EmptyTable:
            return QStringLiteral("EmptyTable");
        case CommandId::SaveTable:
            return QStringLiteral("SaveTable");
        case CommandId::PrintTracks:
            return QStringLiteral("PrintTracks");
        case CommandId::PrintTable:
            return QStringLiteral("PrintTable");
        case CommandId::Exit:
            return QStringLiteral("Exit");
        case CommandId::FindDepth:
            return QStringLiteral("FindDepth");
        case CommandId::ApplyFilter:
            return QStringLiteral("ApplyFilter");
        case CommandId::UndoFilter:
            return QStringLiteral("UndoFilter");
        case CommandId::ElasticCorrelations:
            return QStringLiteral("ElasticCorrelations");
        case CommandId::TimeLapse:
            return QStringLiteral("TimeLapse");
        case CommandId::CrossPlots:
            return QStringLiteral("CrossPlots");
        case CommandId::ElasticParameters:
            return QStringLiteral("ElasticParameters");
        case CommandId::CorrelationCoefficients:
            return QStringLiteral("CorrelationCoefficients");
        case CommandId::FluidSubstitution:
            return QStringLiteral("FluidSubstitution");
        case CommandId::AvoModel:
            return QStringLiteral("AvoModel");
        case CommandId::About:
            return QStringLiteral("About");
        case CommandId::ConfigureColumns:
            return QStringLiteral("ConfigureColumns");
    }
    return {};
}
