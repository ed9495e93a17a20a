// The random choice among the nodes of a location: a port, so that tests can choose.
#pragma once

class RandomPick {
  public:
    virtual ~RandomPick() = default;
    // A number from `first` to `last` inclusive, each equally likely.
    virtual int Pick(int first, int last) = 0;
};

// Seeded from the clock at every pick, so that runs of the program spread over the nodes.
class ClockSeededPick final : public RandomPick {
  public:
    int Pick(int first, int last) override;
};
