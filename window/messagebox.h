#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace tintwright {

// Title of the window and of every message box.
inline constexpr char applicationTitle[] = "Tintwright";

// Shows a message to the user and returns once it has been acknowledged.
using MessageSink = std::function<void(const QString& text)>;

/**
 * Shows `text` in a modal message box over `parent`: the application's title, no icon
 * and an OK button only. Returns when the user dismisses it.
 */
void showMessageBox(QWidget* parent, const QString& text);

} // namespace tintwright
