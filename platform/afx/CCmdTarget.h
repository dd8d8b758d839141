// CCmdTarget: the base of the framework's objects that receive messages and commands through a
// message map.
//
// A class declares its map with DECLARE_MESSAGE_MAP and writes it between BEGIN_MESSAGE_MAP and
// END_MESSAGE_MAP with the ON_ macros of afxmsg.h. Each map links to its base class's map, so a
// lookup walks from the object's own class down to CCmdTarget and the first matching entry wins.
// An entry holds the handler, cast to AFX_PMSG after its signature was checked against the one
// its macro requires, and the dispatch function that unpacks the message for that signature.
#pragma once

#include "CObject.h"

class CCmdTarget;
class CCmdUI;

typedef void (CCmdTarget::*AFX_PMSG)();

// Calls pfn on pTarget with the message unpacked: nID is the command or control id (0 for a
// window message), wParam and lParam the message's or, for commands, the routing's extra data.
typedef LRESULT (AFXAPI* AFX_PDISPATCH)(CCmdTarget* pTarget, AFX_PMSG pfn, UINT nID,
                                         WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // window message; WM_COMMAND and WM_NOTIFY entries are commands
    UINT nCode;      // notification code of a command, 0 for a window message
    UINT nID;        // first control or command id, 0 for a window message
    UINT nLastID;    // last id of a range; nID otherwise
    AFX_PDISPATCH pfnDispatch;  // NULL ends the map
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (PASCAL* pfnGetBaseMap)();  // NULL for CCmdTarget's own map
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg when it is asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

// What a WM_NOTIFY handler gets through OnCmdMsg's pExtra.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Command codes of OnCmdMsg beside the controls' own notification codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_NOTIFY_CODE(code) MAKELONG(code, WM_NOTIFY)

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
    virtual const AFX_MSGMAP* GetMessageMap() const;

#define AFX_BEGIN_MESSAGE_MAP_BODY(theClass, baseClass) \
    { \
        [[maybe_unused]] typedef theClass ThisClass; \
        typedef baseClass TheBaseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() \
    AFX_BEGIN_MESSAGE_MAP_BODY(theClass, baseClass)

#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass) \
    template <typename type_name> \
    const AFX_MSGMAP* theClass<type_name>::GetMessageMap() const { return GetThisMessageMap(); } \
    template <typename type_name> \
    const AFX_MSGMAP* PASCAL theClass<type_name>::GetThisMessageMap() \
    AFX_BEGIN_MESSAGE_MAP_BODY(theClass<type_name>, baseClass)

#define END_MESSAGE_MAP() \
            {0, 0, 0, 0, NULL, NULL}}; \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, \
                                              &_messageEntries[0]}; \
        return &messageMap; \
    }

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Runs the map's handler for command nID with code nCode (CN_COMMAND, CN_UPDATE_COMMAND_UI
    // with pExtra the CCmdUI, a control's notification code, or CN_NOTIFY_CODE(code) with pExtra
    // an AFX_NOTIFY). With pHandlerInfo only reports whether there is one. TRUE when handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The first entry of the maps from this class down that carries nMessage with nCode and an
    // id range holding nID; NULL for none.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

    DECLARE_MESSAGE_MAP()
};

// The framework's own dispatch functions are declared with their macros in afxmsg.h.
