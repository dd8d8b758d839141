// CException: the base of the framework's exceptions. As in the real framework they are thrown
// as heap pointers and the catcher disposes of them:
//     catch (CFileException* e) { ...; e->Delete(); }
// The TRY / CATCH / END_CATCH macros do the same, deleting the exception at END_CATCH unless
// it was rethrown with THROW_LAST().
#pragma once

#include "CObject.h"

class CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    virtual ~CException();

    // Deletes a heap exception; a static one (m_bAutoDelete FALSE) stays.
    void Delete();

    // The message text, NUL-terminated and cut to nMaxError bytes on a character boundary.
    // FALSE (and an empty text) when the exception has none.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    // Shows the message with AfxMessageBox; without one, string nMessageID, or a generic text.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;
};

// Copies lpszText into lpszError (nMaxError bytes with the NUL) without splitting a
// double-byte character.
void AFXAPI AfxCopyErrorText(LPTSTR lpszError, UINT nMaxError, LPCTSTR lpszText);

// Owns the exception caught by a CATCH block until END_CATCH.
struct AFX_EXCEPTION_LINK {
    CException* m_pException = NULL;
    AFX_EXCEPTION_LINK() = default;
    AFX_EXCEPTION_LINK(const AFX_EXCEPTION_LINK&) = delete;
    ~AFX_EXCEPTION_LINK()
    {
        if (m_pException != NULL)
            m_pException->Delete();
    }
};

#define TRY \
    { \
        AFX_EXCEPTION_LINK _afxExceptionLink; \
        try {
#define CATCH(class_name, e) \
    } \
    catch (class_name * e) \
    { \
        _afxExceptionLink.m_pException = e;
#define AND_CATCH(class_name, e) \
    } \
    catch (class_name * e) \
    { \
        _afxExceptionLink.m_pException = e;
#define END_CATCH \
    } \
    }
#define CATCH_ALL(e) CATCH(CException, e)
#define AND_CATCH_ALL(e) AND_CATCH(CException, e)
#define END_CATCH_ALL END_CATCH
#define END_TRY \
    } \
    catch (CException * e) \
    { \
        _afxExceptionLink.m_pException = e; \
    } \
    }
#define THROW(e) throw e
#define THROW_LAST() \
    do { \
        _afxExceptionLink.m_pException = NULL; \
        throw; \
    } while (0)
