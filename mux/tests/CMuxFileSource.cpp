#include "CMuxFileSource.h"

CMuxFileSource::CMuxFileSource() : CBaseFilter(nullptr, GUID_NULL), m_pin(*this)
{
}
