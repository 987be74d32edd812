// Placeholder until the testbed host lands.
#include <windows.h>
namespace ulvo::testbed {
int TestbedPlaceholder() {
    return 0;
}
}  // namespace ulvo::testbed
