// Saving CSV lines from a window: the save dialog with a proposed name and the
// default extension "csv", an atomic cp932 write, and the outcome message.
#pragma once

#include <QString>

#include <string>
#include <vector>

class QWidget;

namespace tenvoll {

// Returns true when the file was written. A league file of `programFolder`
// chosen in the dialog is refused with a message.
bool saveCsvFile(QWidget* parent, const std::string& programFolder, const QString& proposedName,
                 const std::vector<std::string>& lines);

} // namespace tenvoll
