// A recording of the card's sound through the ACM Wrapper into the AVI Mux and the File
// Writer, as the record graph makes one; CheckAcmRecording.sh reads the file outside Wine.
#include "AcmWrapperFilter.h"
#include "AudioCaptureDevice.h"
#include "GraphBuilder.h"
#include "HelperProcess.h"

#include <dshow.h>

#include <stdlib.h>

namespace
{

const CLSID CLSID_AcmWrapper = {0x6A08CF80, 0x0E18, 0x11CF, {0xA2, 0x4D, 0x00, 0x20, 0xAF, 0xD7, 0x97, 0x67}};
// Enough for a few hundred milliseconds of sound past the header.
const LONGLONG kWantedBytes = 9000 + 64 * 1024;

LONGLONG FileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return ((LONGLONG)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

int Record(CGraphBuilder& builder, const char* path, DWORD rate)
{
    CAudioCaptureDevice* audio = dynamic_cast<CAudioCaptureDevice*>(
        builder.AddFilterByName(CLSID_AudioInputDeviceCategory, "Conexant 2388x_1 Audio Capture", "Audio Capture", 0, 0));
    CAcmWrapperFilter* acm = dynamic_cast<CAcmWrapperFilter*>(builder.AddFilter(CLSID_AcmWrapper, "ACM Wrapper"));
    CFilterWrapper* mux = builder.AddFilter(CLSID_AviDest, "AVI Mux");
    CFilterWrapper* writer = builder.AddFilter(CLSID_FileWriter, "AVI Writer");
    if (!audio || !acm || !mux || !writer)
        return 2;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    CComRef<IFileSinkFilter> sink;
    if (FAILED(writer->GetFilter()->QueryInterface(IID_IFileSinkFilter, sink.ReceiveVoid())) ||
        FAILED(sink->SetFileName(wide, NULL)))
        return 3;
    if (!acm->SetAudioFormat(rate, 16))
        return 4;
    if (!builder.ConnectFilters(mux, writer, NULL, NULL) || !builder.ConnectFilters(audio, acm, "Capture", NULL) ||
        !builder.ConnectFilters(acm, mux, NULL, NULL))
        return 5;
    if (!builder.Run())
        return 6;
    for (int i = 0; i < 200 && FileSize(path) < kWantedBytes; ++i)
        Sleep(100);
    return builder.Stop() ? 0 : 7;
}

} // namespace

// RecordCardAudio PATH RATE
SUITE_HELPER(RecordCardAudio)
{
    if (args.size() != 2 || FAILED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED)))
        return 1;
    int result;
    {
        CGraphBuilder builder;
        result = Record(builder, args[0].c_str(), strtoul(args[1].c_str(), NULL, 10));
    }
    CoUninitialize();
    return result;
}
