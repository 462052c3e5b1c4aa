#include "rights/ChildMessages.h"

namespace Orb {

ChildMessages &ChildMessages::instance()
{
    static ChildMessages messages;
    return messages;
}

} // namespace Orb
