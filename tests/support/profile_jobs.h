#pragma once

// What the whole-catalogue conversions share (tests/e2e/all_profiles_test and
// bench/profile_matrix): a profile catalogue without a window, and encoder
// command lines run side by side on the console process runner.

#include "engine/profile_captions.h"
#include "engine/size_estimate.h"

#include <QString>
#include <vector>

namespace ravenmoor::test {

struct NoCaptionDisplay : ProfileCaptionDisplay {
    void loadCategoryIcon(const QString &) override {}
    void showProfileCaption(const QString &) override {}
};

struct NoEstimateRows : EstimateRows {
    int estimateRowCount() const override { return 0; }
    QString sourceFrameSize(int) const override { return {}; }
    QString sourceDuration(int) const override { return {}; }
    void setEstimatedSize(int, const QString &) override {}
};

struct EncoderRun {
    QString commandLine;
    quint32 exitCode = 0;
    QString lastLines; // the end of what it wrote
};

// Runs every command line in workingFolder, `parallel` at a time, each end
// starting the next; returns when all have ended. Needs a QCoreApplication.
void RunEncoderLines(std::vector<EncoderRun> &runs, const QString &workingFolder, int parallel);

} // namespace ravenmoor::test
