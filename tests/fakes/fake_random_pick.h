// A random pick the test decides: the first of the range, or `choice` when it lies inside it;
// every range asked is kept.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "directory/random_pick.h"

class FakeRandomPick final : public RandomPick {
  public:
    std::optional<int> choice;
    std::vector<std::pair<int, int>> ranges;

    int Pick(int first, int last) override {
        ranges.emplace_back(first, last);
        return choice && *choice >= first && *choice <= last ? *choice : first;
    }
};
