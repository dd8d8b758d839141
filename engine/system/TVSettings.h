#pragma once

#include <afx.h>

// Every setting of the TV program, as TVParam.ini keeps it. Grouped by the file's sections;
// each field is named after its key.
struct CTVSettings
{
    enum PictureProperty { kBrightness, kContrast, kHue, kSaturation, kSharpness, kPictureProperties };

    // [Interface]
    CString skinName;

    // [Channel]: the lists show favourites only
    int useFavor;
    int fmUseFavor;

    // [Device]: video standards are AnalogVideoStandard bits
    int standard;
    int avStandard;
    int svStandard;
    CString country;
    CString province;
    CString audioDevice;
    CString audioInput;
    CString audioPlayDev;
    CString audioPlayInput;
    int reservePrev;
    int useLocality;
    int muteAudioInput;
    int videoSource;  // read, never written: 0 tuner, 1 composite, 2 S-video, 3 FM

    // [Record]
    CString picPath;
    CString videoPath;
    int snapBmp;
    int jpgQuality;
    int recordScheme;
    int displayQuality;
    int recordFormat;
    int fmRecordFormat;
    int mpeg4FrameRate;
    CString mpeg4Video;
    CString mpeg4Audio;
    SIZE mpeg4RecordSize;
    int tfReserved;
    long tfTime;  // seconds

    // [Schedule]
    int enableShut;
    CTime shutTime;
    int sysDefaultLogon;

    // [Video]: the picture and overlay properties by PictureProperty
    int picture[kPictureProperties];
    int overlay[kPictureProperties];
    int useOverlay;
    int videoSize;  // index into the capture-size table
    int hightQuality;
    int halfRate;
    int noiseReduce;
    int reduceValue;
    int overlayDesktop;

    // [Storage]
    CString videoFolder;
    int maxLength;  // minutes
    int noSpace;
    int excessLength;
    CStringArray validDisk;
    CString curDisk;
    int reservedSpace;  // MB

    // [Window]
    POINT videoLeftTop;
    SIZE videoWindowSize;  // key VideoSize, not the [Video] one
    SIZE videoRatio;
    int fullScreen;
    int topMost;
    POINT controlLeftTop;
    int showControl;

    // [Asistant]
    int lastChannel;

    // [Runonce]
    int run;

    // [SearchMode]
    int searchMode;
};
