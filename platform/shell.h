// Opening a document, a web page or a program the way the user's shell would.
#pragma once

#include <string_view>

class Shell {
  public:
    virtual ~Shell() = default;

    // Opens `file` with its registered handler, passing `parameters` when not empty. Whether it
    // opened is not reported: a failure simply opens nothing.
    virtual void Open(std::string_view file, std::string_view parameters) = 0;
};
