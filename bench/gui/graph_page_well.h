#pragma once
// The Graph page of the desktop benchmarks, header only: a generated well (see
// support/computed_well.h) with its 11 source tracks and 13 elastic tracks on a page shown on
// the offscreen platform. Arguments: [ROWS [PATTERNS_FOLDER]]; 1,000,000 rows and the
// Patterns folder beside the program by default.
#include <QCoreApplication>
#include <QWidget>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "gui/display/track_panel.h"
#include "support/computed_well.h"

namespace lithora::bench {

struct GraphPageWell {
    GraphPageWell(int argc, char** argv, const char* folderName)
        : rows(argc > 1 ? std::stoul(argv[1]) : 1'000'000),
          folder(std::filesystem::temp_directory_path() / folderName) {
        const std::string patterns =
            argc > 2 ? argv[2]
                     : (QCoreApplication::applicationDirPath() + "/Patterns").toStdString();
        ws = computedWell(folder, rows, patterns);
        if (!ws) return;
        page.resize(4200, 640);
        tracks = std::make_unique<TrackPanel>(&page, QString::fromStdString(folder.string()));
        tracks->buildSourceTracks(ws->source());
        tracks->buildElasticTracks(ws->elastic());
        tracks->bindElasticTracks();
        page.show();
        page.repaint();
        std::printf("%zu records, %d tracks (%d source, %d elastic)\n", rows, tracks->trackCount(),
                    tracks->sourceTrackCount(), tracks->trackCount() - tracks->sourceTrackCount());
    }
    ~GraphPageWell() {
        tracks.reset();
        ws.reset();
        std::filesystem::remove_all(folder);
    }

    std::size_t rows;
    std::filesystem::path folder;
    std::unique_ptr<workspace::Workspace> ws;
    QWidget page;
    std::unique_ptr<TrackPanel> tracks;
};

}  // namespace lithora::bench
