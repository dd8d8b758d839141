#include "BuiltInFreqTables.h"

#include <windows.h>

namespace {

// A run of equally spaced picture carriers, in kHz so that every step adds exactly.
struct FreqRun
{
    int firstKHz;
    int count;
    int stepKHz;
};

struct CountryTable
{
    const char* name;
    const FreqRun* runs;
    int runCount;
};

// first kHz, count, step kHz
const FreqRun kChinaRuns[] = {
    {49750, 3, 8000},
    {77250, 2, 8000},
    {112250, 45, 8000},
    {471250, 12, 8000},
    {607250, 33, 8000},
};

const FreqRun kHongKongRuns[] = {
    {48250, 8, 7000},
    {105250, 28, 7000},
    {303250, 70, 8000},
};

const FreqRun kUnitedStatesRuns[] = {
    {57000, 4, 6000},
    {79000, 2, 6000},
    {93000, 6, 6000},
    {135000, 86, 6000},
    {647000, 41, 6000},
};

template <int N> constexpr int CountOf(const FreqRun (&)[N])
{
    return N;
}

// In the order they are written to a new ChannelPoint.ini.
// name, runs, run count
const CountryTable kCountries[] = {
    {"中国", kChinaRuns, CountOf(kChinaRuns)},
    {"香港", kHongKongRuns, CountOf(kHongKongRuns)},
    {"美国", kUnitedStatesRuns, CountOf(kUnitedStatesRuns)},
};

const int kCountryCount = (int)(sizeof(kCountries) / sizeof(kCountries[0]));

// Header: 1, the number of carriers, and a word nothing reads; then the carriers in Hz.
const DWORD kScanTable[] = {
    1, 134, 38900000,
    49750000, 57750000, 65750000, 72250000, 83750000, 85250000,
    112250000, 120250000, 128250000, 136250000, 144250000, 152250000,
    160250000, 168250000, 176250000, 184250000, 192250000, 200250000,
    208250000, 216250000, 224250000, 232250000, 240250000, 248250000,
    256250000, 264250000, 272250000, 280250000, 288250000, 296250000,
    304250000, 312250000, 320250000, 328250000, 336250000, 344250000,
    352250000, 360250000, 368250000, 376250000, 384250000, 392250000,
    400250000, 408250000, 416250000, 424250000, 432250000, 440250000,
    448250000, 456250000, 464250000, 471250000, 479250000, 487250000,
    495250000, 503250000, 511250000, 519250000, 527250000, 535250000,
    543250000, 551250000, 559250000, 607250000, 615250000, 623250000,
    631250000, 639250000, 647250000, 655250000, 663250000, 671250000,
    679250000, 687250000, 695250000, 703250000, 711250000, 719250000,
    727250000, 735250000, 743250000, 751250000, 759250000, 767250000,
    775250000, 783250000, 791250000, 799250000, 807250000, 815250000,
    823250000, 831250000, 839250000, 847250000, 855250000, 863250000,
    871250000, 879250000, 887250000, 895250000, 903250000, 911250000,
    919250000, 927250000, 935250000, 567250000, 575250000, 583250000,
    591250000, 599250000, 116250000, 124250000, 132250000, 140250000,
    148250000, 156250000, 164250000, 172250000, 180250000, 188250000,
    196250000, 204250000, 212250000, 220250000, 228250000, 236250000,
    244250000, 252250000, 260250000, 268250000, 276250000, 775250000,
    791250000, 943250000,
};

enum { kScanHeaderWords = 3, kScanCountWord = 1 };
static_assert(sizeof(kScanTable) / sizeof(kScanTable[0]) == kScanHeaderWords + 134,
              "the header's count matches the carriers that follow it");

} // namespace

int CBuiltInFreqTables::GetCountryCount()
{
    return kCountryCount;
}

const char* CBuiltInFreqTables::GetCountryName(int i)
{
    return i >= 0 && i < kCountryCount ? kCountries[i].name : NULL;
}

void CBuiltInFreqTables::GetCountryTable(int i, std::vector<float>& mhz)
{
    mhz.clear();
    if (i < 0 || i >= kCountryCount)
        return;
    for (int r = 0; r < kCountries[i].runCount; ++r) {
        const FreqRun& run = kCountries[i].runs[r];
        for (int k = 0; k < run.count; ++k)
            mhz.push_back((run.firstKHz + k * run.stepKHz) / 1000.0f);
    }
}

void CBuiltInFreqTables::GetScanTable(std::vector<float>& mhz)
{
    mhz.clear();
    const DWORD* hz = kScanTable + kScanHeaderWords;
    for (DWORD k = 0; k < kScanTable[kScanCountWord]; ++k)
        mhz.push_back((float)(hz[k] * 1e-6));
}
