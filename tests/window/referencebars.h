#pragma once

#include <QImage>
#include <QStringList>
#include <string>
#include <vector>

namespace tintwright {

class DrawingSurface;

std::vector<std::string> toEntries(const QStringList& texts);

// The picture that filling every bar in order, each through the surface's rectangle
// fill, gives on a fresh surface shaped like `like`.
QImage referencePicture(const DrawingSurface& like, const QStringList& entries, int stepCount);

// The start-up stop list.
QStringList startupEntries();

} // namespace tintwright
