#pragma once
// The help document generated from the registry of decoder types: an index page for the program and
// one page per decoder type, plain HTML in German (UTF-8).
#include <string>
#include <vector>

namespace korrin {

struct HelpFile {
  std::string name;  // file name inside the help folder, e.g. "index.html", "typ-0x0008.html"
  std::string html;  // the complete page
};

// The whole document: index.html first, then one page per decoder type in registry order.
// Every type's HelpPageOf is kHelpFolder + "/" + the name of its page.
std::vector<HelpFile> HelpDocument();

// Text made safe for HTML element content and attribute values.
std::string HtmlEscape(const std::string& text);

// Writes every page of HelpDocument() into folder (created when missing). Each page goes to a
// temporary file first and replaces the old one only when complete. Returns false with a German
// reason in *error (when given) on the first failure.
bool WriteHelpDocument(const std::string& folder, std::string* error = nullptr);

}  // namespace korrin
