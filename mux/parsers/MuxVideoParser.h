#pragma once

#include "MuxStreamParser.h"
#include "MuxSyncClock.h"

// What the two video forms share: a sample's bytes go into the buffer whole, then the scan
// finds where each access unit begins; a unit runs from its first header (sequence, group,
// parameter set or picture) to the next unit's first header, and its record goes out once
// the next one begins, or at the end of the stream. Times follow the MPEG video rules from
// the frame duration T, the pictures counted so far n, the pictures since the last group
// header k and the picture's temporal reference r:
//   presentation = (n + r - k + 1) T; decoding = n T for I and P, the presentation for B;
// or, in field-repeat mode, five periods per pair of pictures.
class MuxVideoParser : public MuxStreamParser
{
public:
    // The first video stream's first picture tells the clock where the video begins; null
    // when no audio waits for it.
    void SetSyncClock(MuxSyncClock* clock) { m_syncClock = clock; }

    void Reset() override;
    HRESULT EndOfStream() override;
    // The open unit's bytes, all written as they were scanned.
    LONGLONG PendingBytes() const override { return m_position - m_unitStart; }

    double FrameTicks() const { return m_frameTicks; }
    int FrameRateCode() const { return m_frameRateCode; }
    bool FieldRepeat() const { return m_fieldRepeat; }

    // Frame durations in ticks of the frame-rate codes 1 to 8; 0 for the others.
    static double FrameTicksOfCode(int code);

protected:
    virtual uint16_t Codec() const = 0;

    // Scan-side events, at absolute stream positions (bytes from the start of the run).
    // A header that opens a new unit when the current one already holds a picture.
    void UnitHeader(LONGLONG position, uint8_t flag);
    void GroupHeader() { m_groupPictures = 0; }
    // The picture just begun opens a group itself (an H.264 IDR picture).
    void PictureOpensGroup()
    {
        m_pictureK = 0;
        m_groupPictures = 1;
    }
    void MarkUnit(uint8_t flag) { m_unitFlags |= flag; }
    LONGLONG PicturesSinceGroup() const { return m_pictureK; }
    // A picture begins here; it closes the unit before it unless headers opened this one.
    void PictureStart(LONGLONG position);
    void SetPicture(int codingType, int temporalReference);
    void SetFrameTicks(double ticks, int code);
    void SetFieldRepeat(bool on) { m_fieldRepeat = on; }
    void SetTopFieldFirst(bool on) { m_topFieldFirst = on; }
    // The unit ends here (an end code); the next begins after it.
    void CloseUnit(LONGLONG end);
    bool UnitHasPicture() const { return m_unitHasPicture; }

    LONGLONG m_position = 0;      // bytes scanned so far
    LONGLONG m_sampleStart = 0;   // start time of the sample being scanned

private:
    void Times(LONGLONG n, LONGLONG k, int r, uint64_t* decode, uint64_t* present) const;
    uint64_t Cadence(LONGLONG count) const;

    MuxSyncClock* m_syncClock = nullptr;
    double m_frameTicks = 0;
    int m_frameRateCode = 0;
    bool m_fieldRepeat = false;
    bool m_topFieldFirst = false;
    LONGLONG m_pictures = 0;
    LONGLONG m_groupPictures = 0;

    // The open unit.
    LONGLONG m_unitStart = 0;
    bool m_unitHasPicture = false;
    uint8_t m_unitFlags = 0;
    LONGLONG m_headerPosition = -1;
    LONGLONG m_picturePosition = 0;
    LONGLONG m_pictureN = 0;
    LONGLONG m_pictureK = 0;
    LONGLONG m_pictureSampleStart = 0;
    int m_codingType = 0;
    int m_temporalReference = 0;
    bool m_firstPictureSent = false;
};
