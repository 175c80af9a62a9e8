#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace pollwick {

// List-server text (Windows-1252 bytes) as the window shows it.
QString fromListText(std::string_view bytes);

// Text typed in the window as list-server bytes; a character that
// Windows-1252 cannot hold becomes '?'.
std::string toListText(const QString& text);

} // namespace pollwick
