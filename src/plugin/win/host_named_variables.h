// GSX's named variables, read through the host's panel system service.
#pragma once

#include "groundservices/named_variables.h"
#include "plugin/win/pdk.h"

namespace ulvo::plugin {

class HostNamedVariables final : public groundservices::NamedVariables {
  public:
    // `panels` is the holder's slot 11 and must not be null.
    explicit HostNamedVariables(P3D::IPanelSystemV400& panels_) : panels(panels_) {}

    // Looks the name up without creating a variable of that name.
    int32_t GetVariableId(const char* name) override { return panels.CheckNamedVariable(name); }
    double GetVariableValue(int32_t id) override { return panels.GetNamedVariableValue(id); }

  private:
    P3D::IPanelSystemV400& panels;
};

}  // namespace ulvo::plugin
