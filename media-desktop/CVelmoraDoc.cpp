#include "CVelmoraDoc.h"

IMPLEMENT_DYNCREATE(CVelmoraDoc, CDocument)

CVelmoraDoc::CVelmoraDoc() = default;
