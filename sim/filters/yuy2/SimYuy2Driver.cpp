// The codec's driver entry point, as the video compression manager calls it.
#include "CSimYuy2Codec.h"

namespace
{
// Any non-zero value names the open driver instance; the codec keeps no state of its own.
const LRESULT INSTANCE = 1;
}

extern "C" LRESULT WINAPI DriverProc(DWORD_PTR id, HDRVR driver, UINT message, LPARAM param1, LPARAM param2)
{
    switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_CLOSE:
        return 1;
    case DRV_OPEN: {
        // Opened without parameters (by the driver manager itself) or for video only.
        const ICOPEN* open = reinterpret_cast<const ICOPEN*>(param2);
        if (open != nullptr && open->fccType != ICTYPE_VIDEO)
            return 0;
        if (open != nullptr)
            const_cast<ICOPEN*>(open)->dwError = ICERR_OK;
        return INSTANCE;
    }
    case DRV_QUERYCONFIGURE:
        return 0;
    case ICM_GETINFO:
        return CSimYuy2Codec::GetInfo(reinterpret_cast<ICINFO*>(param1), (DWORD)param2);
    case ICM_DECOMPRESS_QUERY:
        return CSimYuy2Codec::Query(reinterpret_cast<const BITMAPINFOHEADER*>(param1),
                                    reinterpret_cast<const BITMAPINFOHEADER*>(param2));
    case ICM_DECOMPRESS_GET_FORMAT:
        return CSimYuy2Codec::GetFormat(reinterpret_cast<const BITMAPINFOHEADER*>(param1),
                                        reinterpret_cast<BITMAPINFOHEADER*>(param2));
    case ICM_DECOMPRESS_BEGIN:
        // Wine 8's AVI decompressor passes its input format as the output here; the output
        // is checked with each ICM_DECOMPRESS instead.
        return CSimYuy2Codec::Query(reinterpret_cast<const BITMAPINFOHEADER*>(param1), nullptr);
    case ICM_DECOMPRESS:
        return CSimYuy2Codec::Decompress(reinterpret_cast<const ICDECOMPRESS*>(param1));
    case ICM_DECOMPRESS_END:
        return ICERR_OK;
    case ICM_COMPRESS_QUERY:
    case ICM_COMPRESS_GET_FORMAT:
    case ICM_COMPRESS_BEGIN:
    case ICM_COMPRESS:
    case ICM_DECOMPRESS_GET_PALETTE:
        return ICERR_UNSUPPORTED;
    default:
        if (message >= ICM_USER)
            return ICERR_UNSUPPORTED;
        return DefDriverProc(id, driver, message, param1, param2);
    }
}
