// The activity log as a list of the texts reported, in order.
#pragma once

#include <string>
#include <vector>

#include "settings/activity_log.h"

class RecordingLog final : public ActivityLog {
  public:
    std::vector<std::string> texts;
    void Report(std::string_view text) override { texts.emplace_back(text); }
};
