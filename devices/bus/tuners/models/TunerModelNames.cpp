#include "TunerModelNames.h"

#include "TunerModelRecord.h"

namespace {

TunerModelNameMap& NameMap()
{
    static TunerModelNameMap names;
    return names;
}

} // namespace

void InitTunerModelNames()
{
    TunerModelNameMap& names = NameMap();
    if (!names.empty())
        return;
    int count = 0;
    const TunerModelRecord* records = TunerModelRecords(&count);
    for (int i = 0; i < count; ++i) {
        if (records[i].name)
            names[records[i].typeId] = records[i].name;
    }
}

const TunerModelNameMap& GetTunerModelNameMap()
{
    return NameMap();
}
