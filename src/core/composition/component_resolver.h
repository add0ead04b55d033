#pragma once
#include <optional>
#include <string>

#include "composition/component_database.h"

namespace rw {

// Resolution of a component the database does not know (ResolveComponent).
// The formation calls it for each unresolved name; the answer is appended to
// the database by the resolver (AddComponent or IgnoreComponent). Returns the
// target to count the value under, or nothing when the user declined.
// Implementations: the program's dialogs, the command line's automatic
// policies, scripted answers in tests.
class ComponentResolver {
public:
    virtual ~ComponentResolver() = default;
    virtual std::optional<ComponentTarget> Resolve(const std::string& name, ComponentDatabase& database) = 0;
};

}  // namespace rw
