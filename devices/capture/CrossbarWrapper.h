#pragma once

#include "FilterClassRecord.h"
#include "FilterWrapper.h"

// The analog crossbar of a capture card or box, switched between the program's three
// sources: 0 tuner, 1 composite, 2 S-video. Card families differ in their pin map. Made by
// their class records (CreateCrossbar), which run Init once the family's map is in place.
class CCrossbarWrapper : public CFilterWrapper
{
public:
    enum { kTuner = 0, kComposite = 1, kSVideo = 2 };
    enum { kVideoOutput = 0, kAudioOutput = 1 };

    using CFilterWrapper::CFilterWrapper;

    template <class T>
    static CFilterWrapper* CreateCrossbar(const CFilterClassRecord& record, CGraphBuilder* graph, int matchMode)
    {
        T* crossbar = static_cast<T*>(CFilterClassRecord::CreateWrapper<T>(record, graph, matchMode));
        if (crossbar)
            crossbar->SetValid(crossbar->Init());
        return crossbar;
    }

    // Sets the pin map; the graph routes the inputs explicitly.
    BOOL Init() override;
    // Any source other than composite and S-video routes the tuner.
    virtual BOOL SelectInput(int source);
    virtual BOOL SelectAudioInput(int source);
    virtual void SetPinMap();

    // TRUE only when the crossbar took the route; an index outside its pins routes nothing.
    BOOL RouteCrossbar(int input, int output);

protected:
    int m_videoTunerInput = 0;
    int m_videoCompositeInput = 1;
    int m_videoSVideoInput = 2;
    int m_audioTunerInput = 3;
    int m_audioCompositeInput = 4;
    int m_audioSVideoInput = 5;
};
