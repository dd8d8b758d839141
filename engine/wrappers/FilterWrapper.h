#pragma once

#include "ComRef.h"
#include "FilterPin.h"

#include <dshow.h>

class CGraphBuilder;

// Holds one DirectShow filter that the engine places in a graph: the filter, the records of
// its pins, and the name under which it stands in the graph. Wrappers are made through the
// class records (CFilterClassRecord) by CGraphBuilder, which owns them in its wrapper list and
// deletes an invalid one at once.
//
// Subclasses query their private interfaces in Init; their constructors call it and clear
// the valid flag when it fails.
class CFilterWrapper
{
public:
    enum { kNameSize = 128 };

    // Creates a filter of the class in process.
    CFilterWrapper(CGraphBuilder* graph, REFCLSID clsid);
    // Binds a device of the category by FriendlyName (see CDeviceSearch); in match mode 0 the
    // device index (SetDeviceIndex) chooses among the devices that match.
    CFilterWrapper(CGraphBuilder* graph, REFCLSID category, const char* friendlyName, int matchMode);
    // Wraps a filter that exists already, under the filter's own name; a null filter leaves
    // the wrapper empty and invalid.
    CFilterWrapper(CGraphBuilder* graph, IBaseFilter* filter);
    virtual ~CFilterWrapper();

    // The pin record of that name (whole and case-sensitive), or null.
    virtual CFilterPin* FindPin(const char* name);
    // The capture devices' set-up step; nothing to do here.
    virtual void Configure();
    // Valid when there is a filter.
    virtual BOOL Init();

    IBaseFilter* GetFilter() const { return m_filter.Get(); }
    BOOL IsValid() const { return m_valid; }
    const char* GetName() const { return m_name; }
    void SetName(const char* name);
    // The device's FriendlyName when the filter was bound by name; empty otherwise.
    const char* GetFriendlyName() const { return m_friendlyName; }
    CGraphBuilder* GetGraph() const { return m_graph; }

    // Link of the owning builder's wrapper list.
    CFilterWrapper* GetNext() const { return m_next; }
    void SetNext(CFilterWrapper* next) { m_next = next; }

    int GetPinCount() const { return m_pinCount; }
    CFilterPin* GetFirstPin() const { return m_firstPin; }
    // Whether RefreshPins re-reads the filter's pins: set by the Init of wrappers whose
    // filters add or drop pins as they are connected.
    BOOL HasDynamicPins() const { return m_dynamicPins; }

    // Replaces the pin records by the filter's pins in enumeration order.
    BOOL EnumeratePins();
    // After a connection change: keeps the records (and their peers) of the pins that are
    // still there, adds records for new pins and drops the others.
    BOOL RefreshPins();
    void ClearPins();
    // Deletes a record of this wrapper; FALSE when it is not one.
    BOOL RemovePin(CFilterPin* pin);
    CFilterPin* FindPinByIPin(IPin* pin);
    // The first pin of that direction (0 input, 1 output) that is without a peer when
    // unconnected is TRUE, or with one when FALSE.
    CFilterPin* FindFreePin(int direction, BOOL unconnected);
    BOOL IsInGraph();

    // The record at that place from 0; a negative index gives the first.
    CFilterPin* GetPin(int index);
    CFilterPin* FindPinById(const WCHAR* id);
    HRESULT HasPropertyPages(BOOL* hasPages);
    BOOL ShowPropertyPages(HWND parent, const char* caption);

    // The process-wide device index: which of several matching devices the next wrapper
    // made by name binds. CGraphBuilder::AddFilterByName sets it just before.
    static void SetDeviceIndex(int index) { s_deviceIndex = index; }
    static int GetDeviceIndex() { return s_deviceIndex; }

protected:
    // Gives back hr. The first failure among this wrapper's calls goes to the debug log with
    // the call's name, so a refused step leaves a trace where the caller only sees FALSE;
    // later failures of the same wrapper are not logged again. Probes whose failure is an
    // answer (an interface the filter may lack) stay outside: they would hide the real one.
    HRESULT Check(const char* call, HRESULT hr);

    void SetValid(BOOL valid) { m_valid = valid; }
    void SetDynamicPins(BOOL dynamic) { m_dynamicPins = dynamic; }

private:
    CFilterWrapper(const CFilterWrapper&);
    CFilterWrapper& operator=(const CFilterWrapper&);

    void InitFields(CGraphBuilder* graph);
    void AppendPin(CFilterPin* pin);

    CComRef<IBaseFilter> m_filter;
    BOOL m_valid;
    char m_name[kNameSize];
    char m_friendlyName[kNameSize];
    int m_pinCount;
    CFilterWrapper* m_next;
    CFilterPin* m_firstPin;
    BOOL m_dynamicPins;
    // Set by the first failure Check logs.
    LONG m_failureLogged;
    // Weak: the builder owns this wrapper.
    CGraphBuilder* m_graph;

    static int s_deviceIndex;
};
