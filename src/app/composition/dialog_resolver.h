#pragma once
#include "composition/component_resolution.h"
#include "composition/component_resolver.h"

namespace rw {

// Puts an unknown component to the user through the four question dialogs
// (TFormb2, TFormb3, TFormb4, TAddSub); the answers go through one
// resolution chain that lives as long as the program, so the group and the
// carbon text chosen last are offered again.
class DialogResolver : public ComponentResolver {
public:
    std::optional<ComponentTarget> Resolve(const std::string& name, ComponentDatabase& database) override;
    static ResolutionChain& Chain();
};

}  // namespace rw
