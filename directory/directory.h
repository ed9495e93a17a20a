// The node list: asking the directory service for it, and choosing from it.
#pragma once

class Directory {
  public:
    virtual ~Directory() = default;
    // Asks the directory service (and its mirrors) for the node list; drives the rest of the road.
    virtual void SilentUpdate() = 0;
    // Lets the user choose a node from the list.
    virtual void SelectNode() = 0;
};
