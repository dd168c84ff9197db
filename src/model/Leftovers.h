#pragma once

#include <QString>

class QRegularExpression;

namespace pluviane {

// Removes from `folder` the files and folders that a process killed while it
// wrote them left behind: entries whose name matches `pattern`, its first
// capture being the writer's process id, whose process is gone. A process
// still running keeps its entries. Gives how many were removed.
int removeLeftovers(const QString& folder, const QRegularExpression& pattern);

} // namespace pluviane
