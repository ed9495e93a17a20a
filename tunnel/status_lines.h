// StatusLines: what the tunnel clients printed since start-up, as entries waiting to be
// interpreted.
//
// Wire format: text in the system code page; CR, LF and CR LF each end a line; the first six
// characters of a line are its status code. Each read of the pipe becomes entries by itself: a
// line that arrives in two reads becomes two entries ("1601" and "38"), a CR that ends one read
// and the LF that begins the next give an empty entry between them, and a zero byte ends the
// text of its read. Appending costs what the new bytes cost, however long the run; interpreted
// entries are not kept.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

class StatusLines {
  public:
    // One read of the pipe.
    void Append(std::string_view readText);
    // The oldest entry not yet interpreted, counted as interpreted from now on; nothing when
    // every entry has been.
    std::optional<std::string> TakeNext();
    std::size_t Interpreted() const { return interpreted_; }  // StatusLinesDone

  private:
    std::deque<std::string> waiting_;
    std::size_t interpreted_ = 0;
};
