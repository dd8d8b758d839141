// The capture card classes' records in the registration list, matched by the FriendlyNames
// the card drivers give, byte for byte. This library is linked whole (see CMakeLists.txt),
// so the records are present in every program that links it.
#include "713x3Capture.h"
#include "713x3Crossbar.h"
#include "713xCapture.h"
#include "713xCrossbar.h"
#include "713xGeniusCapture.h"
#include "713xGeniusCrossbar.h"
#include "713xIoCapture.h"
#include "713xIoCrossbar.h"
#include "713xPipCapture.h"
#include "713xPipCrossbar.h"
#include "AltTvCardCapture.h"
#include "AltTvCardCrossbar.h"
#include "BlackbirdCapture.h"
#include "BlackbirdCrossbar.h"
#include "BlackbirdEncoder.h"
#include "Cx2388x1Capture.h"
#include "Cx2388x1Crossbar.h"
#include "Cx2388x3Capture.h"
#include "Cx2388x3Crossbar.h"
#include "Cx2388xCapture.h"
#include "Cx2388xCrossbar.h"
#include "DorinCapture.h"
#include "DorinCrossbar.h"
#include "DvCamera.h"
#include "DvbcCapture.h"
#include "EmpAudioDevice.h"
#include "Go7007Capture.h"
#include "Go7007Crossbar.h"
#include "LunetCapture.h"
#include "LunetCrossbar.h"
#include "McuTuner2388xCapture.h"
#include "McuTuner2388xCrossbar.h"
#include "McuTunerCardCapture.h"
#include "McuTunerCardCrossbar.h"
#include "MiroxAudioDecoder.h"
#include "MiroxCapture.h"
#include "MiroxCrossbar.h"
#include "Mpeg2BoxCapture.h"
#include "Mpeg2BoxCrossbar.h"
#include "PeltaCapture.h"
#include "PeltaCrossbar.h"
#include "PcEntertainmentCapture.h"
#include "PcEntertainmentCrossbar.h"
#include "Rv5200Capture.h"
#include "Rv5200Crossbar.h"
#include "RaptorCapture.h"
#include "RaptorCrossbar.h"
#include "RaptorEncoder.h"
#include "TftvCapture.h"
#include "TftvCrossbar.h"
#include "TridVidCapture.h"
#include "TridVidCrossbar.h"
#include "TridentUsbCapture.h"
#include "TridentUsbCrossbar.h"
#include "TridentUsbTvAudio.h"
#include "Tv630Capture.h"
#include "Tv630Crossbar.h"
#include "TvAvCapture.h"
#include "TvAvCrossbar.h"
#include "TvCardCapture.h"
#include "TvCardCrossbar.h"
#include "Usb2820Capture.h"
#include "Usb2820Crossbar.h"
#include "Usb2821Capture.h"
#include "Usb2821Crossbar.h"
#include "Usb2881Capture.h"
#include "Usb2881Crossbar.h"
#include "UsbBoxCapture.h"
#include "UsbBoxCrossbar.h"
#include "UsbCamCapture.h"
#include "UsbTvBoxCapture.h"
#include "UsbTvBoxCrossbar.h"
#include "Ut800Capture.h"
#include "Ut800Crossbar.h"
#include "Ut810Capture.h"
#include "Ut810Crossbar.h"

#include <ks.h>
#include <ksmedia.h>

static CFilterClassRecord s_713xCapture(NULL, &CLSID_VideoInputDeviceCategory, "713x TV Card Capture",
                                        CCaptureDevice::CreateDevice<C713xCapture>);
static CFilterClassRecord s_713xCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "713x TV Card Crossbar",
                                         CCrossbarWrapper::CreateCrossbar<C713xCrossbar>);
static CFilterClassRecord s_713xIoCapture(NULL, &CLSID_VideoInputDeviceCategory, "713x_IO TV Card Capture",
                                          CCaptureDevice::CreateDevice<C713xIoCapture>);
static CFilterClassRecord s_713xIoCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "713x_IO TV Card Crossbar",
                                           CCrossbarWrapper::CreateCrossbar<C713xIoCrossbar>);
static CFilterClassRecord s_713x3Capture(NULL, &CLSID_VideoInputDeviceCategory, "713x_3 TV Card Capture",
                                         CCaptureDevice::CreateDevice<C713x3Capture>);
static CFilterClassRecord s_713x3Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "713x_3 TV Card Crossbar",
                                          CCrossbarWrapper::CreateCrossbar<C713x3Crossbar>);
static CFilterClassRecord s_713xPipCapture(NULL, &CLSID_VideoInputDeviceCategory, "713x_PIP TV Card Capture",
                                           CCaptureDevice::CreateDevice<C713xPipCapture>);
static CFilterClassRecord s_713xPipCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "713x_PIP TV Card Crossbar",
                                            CCrossbarWrapper::CreateCrossbar<C713xPipCrossbar>);
static CFilterClassRecord s_713xGeniusCapture(NULL, &CLSID_VideoInputDeviceCategory, "713x_Genius TV Card Capture",
                                              CCaptureDevice::CreateDevice<C713xGeniusCapture>);
static CFilterClassRecord s_713xGeniusCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "713x_Genius TV Card Crossbar",
                                               CCrossbarWrapper::CreateCrossbar<C713xGeniusCrossbar>);

static CFilterClassRecord s_cx2388xCapture(NULL, &CLSID_VideoInputDeviceCategory, "Conexant 2388x Video Capture",
                                           CCaptureDevice::CreateDevice<CCx2388xCapture>);
static CFilterClassRecord s_cx2388xCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Conexant 2388x Crossbar",
                                            CCrossbarWrapper::CreateCrossbar<CCx2388xCrossbar>);
static CFilterClassRecord s_cx2388x1Capture(NULL, &CLSID_VideoInputDeviceCategory, "Conexant 2388x_1 Video Capture",
                                            CCaptureDevice::CreateDevice<CCx2388x1Capture>);
static CFilterClassRecord s_cx2388x1Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Conexant 2388x_1 Crossbar",
                                             CCrossbarWrapper::CreateCrossbar<CCx2388x1Crossbar>);
static CFilterClassRecord s_cx2388x3Capture(NULL, &CLSID_VideoInputDeviceCategory, "Conexant 2388x_3 Video Capture",
                                            CCaptureDevice::CreateDevice<CCx2388x3Capture>);
static CFilterClassRecord s_cx2388x3Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Conexant 2388x_3 Crossbar",
                                             CCrossbarWrapper::CreateCrossbar<CCx2388x3Crossbar>);
static CFilterClassRecord s_tvCardCapture(NULL, &CLSID_VideoInputDeviceCategory, "Quorvex Skyvault Capture",
                                          CCaptureDevice::CreateDevice<CTvCardCapture>);
static CFilterClassRecord s_tvCardCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Quorvex Skyvault Crossbar",
                                           CCrossbarWrapper::CreateCrossbar<CTvCardCrossbar>);

static CFilterClassRecord s_usbBoxCapture(NULL, &CLSID_VideoInputDeviceCategory, "USB 2800 Video",
                                          CCaptureDevice::CreateDevice<CUsbBoxCapture>);
static CFilterClassRecord s_usbBoxCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "USB 2800 Crossbar",
                                           CCrossbarWrapper::CreateCrossbar<CUsbBoxCrossbar>);
static CFilterClassRecord s_usbTvBoxCapture(NULL, &CLSID_VideoInputDeviceCategory, "Quorvex USB TV Box Video",
                                            CCaptureDevice::CreateDevice<CUsbTvBoxCapture>);
static CFilterClassRecord s_usbTvBoxCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Quorvex USB TV Box Crossbar",
                                             CCrossbarWrapper::CreateCrossbar<CUsbTvBoxCrossbar>);
static CFilterClassRecord s_usb2820Capture(NULL, &CLSID_VideoInputDeviceCategory, "USB 2820 Video",
                                           CCaptureDevice::CreateDevice<CUsb2820Capture>);
static CFilterClassRecord s_usb2820Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "USB 2820 Crossbar",
                                            CCrossbarWrapper::CreateCrossbar<CUsb2820Crossbar>);
static CFilterClassRecord s_usb2821Capture(NULL, &CLSID_VideoInputDeviceCategory, "USB 2821 Video",
                                           CCaptureDevice::CreateDevice<CUsb2821Capture>);
static CFilterClassRecord s_usb2821Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "USB 2821 Crossbar",
                                            CCrossbarWrapper::CreateCrossbar<CUsb2821Crossbar>);

static CFilterClassRecord s_empAudio(NULL, &CLSID_AudioInputDeviceCategory, "USB EMP Audio Device",
                                     CFilterClassRecord::CreateWrapper<CEmpAudioDevice>);
static CFilterClassRecord s_dvCamera(NULL, &CLSID_VideoInputDeviceCategory, "Microsoft DV Camera and VCR",
                                     CFilterClassRecord::CreateWrapper<CDvCamera>);
static CFilterClassRecord s_usbCam(NULL, &CLSID_VideoInputDeviceCategory, "Usb_Cam_Capture",
                                   CFilterClassRecord::CreateWrapper<CUsbCamCapture>);
static CFilterClassRecord s_tvAvCapture(NULL, &CLSID_VideoInputDeviceCategory, "TV AV Capture",
                                        CCaptureDevice::CreateDevice<CTvAvCapture>);
static CFilterClassRecord s_tvAvCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "TV AV Capture Crossbar",
                                         CCrossbarWrapper::CreateCrossbar<CTvAvCrossbar>);
static CFilterClassRecord s_tftvCapture(NULL, &CLSID_VideoInputDeviceCategory, "TFTV Capture",
                                        CCaptureDevice::CreateDevice<CTftvCapture>);
static CFilterClassRecord s_tftvCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "TFTV Crossbar",
                                         CCrossbarWrapper::CreateCrossbar<CTftvCrossbar>);
// The two OEM builds of the maker's PCI card.
static CFilterClassRecord s_altTvCardCapture(NULL, &CLSID_VideoInputDeviceCategory, "Jinhai TV Card Capture",
                                             CCaptureDevice::CreateDevice<CAltTvCardCapture>);
static CFilterClassRecord s_altTvCardCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Jinhai TV Card Crossbar",
                                              CCrossbarWrapper::CreateCrossbar<CAltTvCardCrossbar>);
static CFilterClassRecord s_tv630Capture(NULL, &CLSID_VideoInputDeviceCategory, "Ravenor 630 TV Capture",
                                         CCaptureDevice::CreateDevice<CTv630Capture>);
static CFilterClassRecord s_tv630Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Ravenor 630 TV Crossbar",
                                          CCrossbarWrapper::CreateCrossbar<CTv630Crossbar>);

// The MPEG encoder cards and the cards with upstream tuner filters.
static CFilterClassRecord s_mpeg2BoxCapture(NULL, &CLSID_VideoInputDeviceCategory, "Quorvex MPEG-2 Box",
                                            CCaptureDevice::CreateDevice<CMpeg2BoxCapture>);
static CFilterClassRecord s_mpeg2BoxCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Quorvex MPEG-2 Box Crossbar",
                                             CCrossbarWrapper::CreateCrossbar<CMpeg2BoxCrossbar>);
static CFilterClassRecord s_rv5200Capture(NULL, &CLSID_VideoInputDeviceCategory, "ReWell RV5200 TV Capture",
                                          CCaptureDevice::CreateDevice<CRv5200Capture>);
static CFilterClassRecord s_rv5200Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "ReWell RV5200 TV Crossbar",
                                           CCrossbarWrapper::CreateCrossbar<CRv5200Crossbar>);
static CFilterClassRecord s_blackbirdCapture(NULL, &CLSID_VideoInputDeviceCategory, "BlackBird Video Capture",
                                             CCaptureDevice::CreateDevice<CBlackbirdCapture>);
static CFilterClassRecord s_blackbirdCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "BlackBird Crossbar",
                                              CCrossbarWrapper::CreateCrossbar<CBlackbirdCrossbar>);
static CFilterClassRecord s_blackbirdEncoder(NULL, &kEncoderDeviceCategory, "BlackBird MPEG Encoder",
                                             CFilterClassRecord::CreateWrapper<CBlackbirdEncoder>);
static CFilterClassRecord s_miroxCapture(NULL, &CLSID_VideoInputDeviceCategory, "QUORVEX Mirox Audio/Video Capture",
                                         CCaptureDevice::CreateDevice<CMiroxCapture>);
static CFilterClassRecord s_miroxAudioDecoder(NULL, &AM_KSCATEGORY_TVAUDIO, "QUORVEX Mirox Audio Decoder",
                                              CFilterClassRecord::CreateWrapper<CMiroxAudioDecoder>);
static CFilterClassRecord s_miroxCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "QUORVEX Mirox Crossbar",
                                          CCrossbarWrapper::CreateCrossbar<CMiroxCrossbar>);

static CFilterClassRecord s_tridVidCapture(NULL, &CLSID_VideoInputDeviceCategory, "TridVid Capture",
                                           CCaptureDevice::CreateDevice<CTridVidCapture>);
static CFilterClassRecord s_tridVidCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "TridVid Crossbar",
                                            CCrossbarWrapper::CreateCrossbar<CTridVidCrossbar>);
static CFilterClassRecord s_tridentUsbCapture(NULL, &CLSID_VideoInputDeviceCategory, "Trident USB Capture",
                                              CCaptureDevice::CreateDevice<CTridentUsbCapture>);
static CFilterClassRecord s_tridentUsbCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Trident USB Crossbar",
                                               CCrossbarWrapper::CreateCrossbar<CTridentUsbCrossbar>);
static CFilterClassRecord s_tridentUsbTvAudio(NULL, &AM_KSCATEGORY_TVAUDIO, "Trident USB TvAudio",
                                              CFilterClassRecord::CreateWrapper<CTridentUsbTvAudio>);

static CFilterClassRecord s_go7007Capture(NULL, &CLSID_VideoInputDeviceCategory, "UT400 A/V Capture",
                                          CCaptureDevice::CreateDevice<CGo7007Capture>);
static CFilterClassRecord s_go7007Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "UT400 CrossBar",
                                           CCrossbarWrapper::CreateCrossbar<CGo7007Crossbar>);
static CFilterClassRecord s_usb2881Capture(NULL, &CLSID_VideoInputDeviceCategory, "USB 2881 Video",
                                           CCaptureDevice::CreateDevice<CUsb2881Capture>);
static CFilterClassRecord s_usb2881Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "USB 2881 Crossbar",
                                            CCrossbarWrapper::CreateCrossbar<CUsb2881Crossbar>);
static CFilterClassRecord s_pcEntertainmentCapture(NULL, &CLSID_VideoInputDeviceCategory,
                                                   "PC Entertainment TV Card Capture",
                                                   CCaptureDevice::CreateDevice<CPcEntertainmentCapture>);
static CFilterClassRecord s_pcEntertainmentCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "PC Entertainment TV Card Crossbar",
                                                    CCrossbarWrapper::CreateCrossbar<CPcEntertainmentCrossbar>);

// The controller-tuner card's model names, its generic twin, and the Dorin pair.
static CFilterClassRecord s_mcuTunerCardCapture(NULL, &CLSID_VideoInputDeviceCategory, "Quorvex Tessel Capture Card",
                                                CCaptureDevice::CreateDevice<CMcuTunerCardCapture>);
static CFilterClassRecord s_mcuTunerCardCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Quorvex Tessel Crossbar",
                                                 CCrossbarWrapper::CreateCrossbar<CMcuTunerCardCrossbar>);
static CFilterClassRecord s_mcuTuner2388xCapture(NULL, &CLSID_VideoInputDeviceCategory, "2388x Video Capture",
                                                 CCaptureDevice::CreateDevice<CMcuTuner2388xCapture>);
static CFilterClassRecord s_mcuTuner2388xCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "2388x Crossbar",
                                                  CCrossbarWrapper::CreateCrossbar<CMcuTuner2388xCrossbar>);
static CFilterClassRecord s_dorinCapture(NULL, &CLSID_VideoInputDeviceCategory, "Dorin Video Capture",
                                         CCaptureDevice::CreateDevice<CDorinCapture>);
static CFilterClassRecord s_dorinCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Dorin Crossbar",
                                          CCrossbarWrapper::CreateCrossbar<CDorinCrossbar>);
static CFilterClassRecord s_peltaCapture(NULL, &CLSID_VideoInputDeviceCategory, "Pelta Video Capture",
                                         CCaptureDevice::CreateDevice<CPeltaCapture>);
static CFilterClassRecord s_peltaCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Pelta Crossbar",
                                          CCrossbarWrapper::CreateCrossbar<CPeltaCrossbar>);
static CFilterClassRecord s_lunetCapture(NULL, &CLSID_VideoInputDeviceCategory, "Quorvex Lunet Device",
                                         CCaptureDevice::CreateDevice<CLunetCapture>);
static CFilterClassRecord s_lunetCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Quorvex Lunet Crossbar",
                                          CCrossbarWrapper::CreateCrossbar<CLunetCrossbar>);

static CFilterClassRecord s_ut800Capture(NULL, &CLSID_VideoInputDeviceCategory, "UT800 Capture",
                                         CCaptureDevice::CreateDevice<CUt800Capture>);
static CFilterClassRecord s_ut800Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "UT800 Crossbar",
                                          CCrossbarWrapper::CreateCrossbar<CUt800Crossbar>);
static CFilterClassRecord s_ut810Capture(NULL, &CLSID_VideoInputDeviceCategory, "UT810 Capture",
                                         CCaptureDevice::CreateDevice<CUt810Capture>);
static CFilterClassRecord s_ut810Crossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "UT810 Crossbar",
                                          CCrossbarWrapper::CreateCrossbar<CUt810Crossbar>);
static CFilterClassRecord s_raptorCrossbar(NULL, &AM_KSCATEGORY_CROSSBAR, "Conexant Raptor Crossbar",
                                           CCrossbarWrapper::CreateCrossbar<CRaptorCrossbar>);
static CFilterClassRecord s_raptorCapture(NULL, &CLSID_VideoInputDeviceCategory, "Conexant Raptor Video Capture",
                                          CCaptureDevice::CreateDevice<CRaptorCapture>);
static CFilterClassRecord s_raptorEncoder(NULL, &kEncoderDeviceCategory, "Conexant Raptor Encoder",
                                          CFilterClassRecord::CreateWrapper<CRaptorEncoder>);
static CFilterClassRecord s_dvbcCapture(NULL, &CLSID_VideoInputDeviceCategory, "DVBC TS Capture",
                                        CCaptureDevice::CreateDevice<CDvbcCapture>);
