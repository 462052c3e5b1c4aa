#include "app/WindowCatalog.h"

#include "rights/WindowRegistry.h"

namespace Orb {

void RegisterAllWindows()
{
    RegisterRightsWindows();
}

} // namespace Orb
