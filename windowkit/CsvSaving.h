// Saving CSV lines from a window: the save dialog with a proposed name and the
// default extension "csv", an atomic cp932 write, and the outcome message.
#pragma once

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace tenvoll {

// Returns true when the file was written.
bool saveCsvFile(QWidget* parent, const QString& proposedName,
                 const std::vector<std::string>& lines);

} // namespace tenvoll
