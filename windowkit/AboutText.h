// The particulars of the about box: the Qt in use with its licence, and where
// the manual is.
#pragma once

#include <QString>

namespace tenvoll {

QString aboutDetail(const QString& manualPath);

} // namespace tenvoll
