#pragma once
#include <QString>
#include <string>

namespace rw {

// A component name (bytes) shown in the code page chosen in the component
// list editor ("Windows" = 1251, "Dos" = 866). The bytes are never changed.
QString DisplayName(const std::string& bytes);

}  // namespace rw
