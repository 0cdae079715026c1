#pragma once
// The main window on a program folder of its own, every question answered through a
// recording seam: the fixture of the widget tests that drive whole commands. Header only: it
// is used by the widget tests alone, which link the whole program.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <memory>

#include "gui/app/calculation_page.h"
#include "support/program_folder.h"
#include "support/recording_seam.h"

namespace lithora::test {

class MainWindowTest : public ::testing::Test {
  protected:
    // The program's own dialogs take what they propose unless a test answers otherwise.
    void SetUp() override {
        auto seam = std::make_unique<RecordingSeam>();
        seam_ = seam.get();
        seam_->onDialog = [](QDialog&) { return int(QDialog::Accepted); };
        form_ = std::make_unique<TCalculationForm>(folder_.qpath(), std::move(seam));
        ASSERT_TRUE(form_->ready());
    }
    void TearDown() override { form_.reset(); }

    // File > Open > LAS File on a file of the test data.
    void importLas(const char* name) {
        seam_->openFile = testData(name);
        form_->action(CommandId::ImportLas)->trigger();
    }

    ProgramFolder folder_;
    RecordingSeam* seam_ = nullptr;
    std::unique_ptr<TCalculationForm> form_;
};

}  // namespace lithora::test
