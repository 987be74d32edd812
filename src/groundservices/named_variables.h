// The host's named-variable service, through which GSX publishes its requests.
#pragma once

#include <cstdint>

namespace ulvo::groundservices {

constexpr int32_t kUnknownVariable = -1;  // 0xFFFFFFFF

class NamedVariables {
  public:
    // The variable's id, or kUnknownVariable when the simulator knows no such name.
    virtual int32_t GetVariableId(const char* name) = 0;
    virtual double GetVariableValue(int32_t id) = 0;

  protected:
    ~NamedVariables() = default;
};

}  // namespace ulvo::groundservices
