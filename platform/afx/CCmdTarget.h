// CCmdTarget: the base of the framework's objects that receive commands. Empty until the user
// interface layer adds message maps.
#pragma once

#include "CObject.h"

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;
};
