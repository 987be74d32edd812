// The host's named variables for native tests: the variables the simulator knows,
// by name, and every look-up in order.
#pragma once

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "groundservices/named_variables.h"

namespace ulvo::testbed {

class MemoryNamedVariables final : public groundservices::NamedVariables {
  public:
    std::map<std::string, double> values;  // the variables the simulator knows
    std::vector<std::string> lookups;

    int32_t GetVariableId(const char* name) override {
        lookups.emplace_back(name);
        auto it = values.find(name);
        return it == values.end() ? groundservices::kUnknownVariable
                                  : int32_t(std::distance(values.begin(), it));
    }
    double GetVariableValue(int32_t id) override { return std::next(values.begin(), id)->second; }
};

}  // namespace ulvo::testbed
