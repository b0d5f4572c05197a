// Pieces of the web pages: escaping league texts, file names every file system
// accepts, and the frame every page shares.
#pragma once

#include <string>
#include <string_view>

namespace tenvoll::report {

// The text for element content and attribute values: "<", ">", "&", '"' and
// "'" as references, control characters as blanks.
std::string escapeHtml(std::string_view text);
// Appends escapeHtml(text) to `out`.
void appendEscaped(std::string& out, std::string_view text);

// A file name made of `text` that every file system takes and that needs no
// escaping in a link: separators, wildcards, quotes, "#", "%", blanks and
// control characters become "_", trailing dots go, a Windows device name
// ("CON", "com1", ...) gains a "_", and the name is cut to at most 60 bytes
// at a character boundary. Empty text gives "_".
std::string safeFileName(std::string_view text);

// "<!DOCTYPE html>" up to "<main>": `title`, the stylesheet at `root` +
// "style.css" (root is "" or "../" or "../../") and the breadcrumb links.
std::string pageStart(std::string_view title, std::string_view root,
                      std::string_view breadcrumbHtml);
// "</main>" to the end, with the sort script.
std::string pageEnd(std::string_view root);

// The stylesheet and the sort script of the site.
std::string_view styleSheet();
std::string_view sortScript();

} // namespace tenvoll::report
