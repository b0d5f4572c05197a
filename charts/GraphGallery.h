// The graph gallery: one PNG per series kind and axis scale, drawn by the
// graph widget offscreen. The interface is free of Qt so command-line code
// can call it.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tenvoll::charts {

// Names of the pictures (without ".png"), in the order they are written.
std::vector<std::string> galleryPictureNames();

// Writes every picture into `folder` (created when missing). Returns false
// after writing a message to `err` when a picture cannot be written.
bool writeGraphGallery(const std::string& folder, std::ostream& out, std::ostream& err);

} // namespace tenvoll::charts
