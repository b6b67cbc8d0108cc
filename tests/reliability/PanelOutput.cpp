#include "tests/reliability/PanelOutput.h"

#include "platform/ActivityMonitor.h"

#include <gtest/gtest.h>

PanelOutput::PanelOutput() {
    _subscription = ActivityMonitor::shared().subscribe([this](const ActivityMonitor::Activity& activity) {
        if (activity.kind == ActivityKind::Present) _presented.push_back(activity.detail);
        if (activity.kind == ActivityKind::File) _filesWritten.push_back(activity.detail + (activity.succeeded ? " ok" : " failed"));
    });
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
}

PanelOutput::~PanelOutput() { finish(); }

std::string PanelOutput::finish() {
    if (!_capturing) return "";
    _capturing = false;
    _subscription.cancel();
    std::string said = ::testing::internal::GetCapturedStdout() + ::testing::internal::GetCapturedStderr();
    for (const auto& presented : _presented) said += "[presented " + presented + "]";
    return said;
}
