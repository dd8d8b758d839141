#pragma once

#include "CMediaPrefsPage.h"

// The video page's preferences (template 154).
class CVideoPrefsPage : public CMediaPrefsPage
{
public:
    enum { IDD = 154 };
    CVideoPrefsPage();
};
