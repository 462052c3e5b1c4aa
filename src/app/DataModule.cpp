#include "app/DataModule.h"

#include "data/Messages.h"

namespace Orb {

TDM::TDM()
{
    if (!ReadLink(&m_link)) {
        ShowWarning(kMissingLinkText);
        m_terminate = true;
    }
}

TDM::~TDM()
{
    Database::Close();
}

void TDM::Connect()
{
    Database::Open(m_link);
}

} // namespace Orb
