#pragma once

#include "CMediaPrefsPage.h"

// The music page's preferences (template 155).
class CMusicPrefsPage : public CMediaPrefsPage
{
public:
    enum { IDD = 155 };
    CMusicPrefsPage();
};
