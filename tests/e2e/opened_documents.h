// Stands in for the browser and the text editor: while it lives, the shell's "open" of http
// links and of .txt files writes what it was asked to open into a file, one line each.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace e2e {

class OpenedDocuments {
  public:
    // `browser` names the stand-in in the command line of the http handler, where the program
    // reads which browser is the default.
    explicit OpenedDocuments(const std::string& browser = "documents");
    ~OpenedDocuments();  // gives the shell its handlers back
    OpenedDocuments(const OpenedDocuments&) = delete;
    OpenedDocuments& operator=(const OpenedDocuments&) = delete;

    // Waits for the next document opened, and gives it; empty when none came in time.
    std::string Next();
    // How many documents were opened so far, at once.
    size_t Count() const;

  private:
    std::string log_;
    void Replace(const std::string& key, const std::string& value);

    // Registry keys whose default value this changed, with the value to put back (none: delete).
    std::vector<std::pair<std::string, std::optional<std::string>>> replaced_;
    size_t seen_ = 0;
};

}  // namespace e2e
