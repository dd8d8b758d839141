#include <gtest/gtest.h>

#include <afx.h>

#include "DialogWatcher.h"
#include "GbkText.h"

namespace {

int s_nDeleted = 0;

class CCountedException : public CException {
public:
    ~CCountedException() override { ++s_nDeleted; }
};

} // namespace

TEST(CException, CatchMacrosDeleteTheException)
{
    s_nDeleted = 0;
    bool bCaught = false;
    TRY
    {
        THROW(new CCountedException);
    }
    CATCH(CException, e)
    {
        bCaught = e != NULL;
    }
    END_CATCH
    EXPECT_TRUE(bCaught);
    EXPECT_EQ(1, s_nDeleted);
}

TEST(CException, ThrowLastPassesTheExceptionOnUndeleted)
{
    s_nDeleted = 0;
    CException* pOuter = NULL;
    try {
        TRY
        {
            THROW(new CCountedException);
        }
        CATCH_ALL(e)
        {
            THROW_LAST();
        }
        END_CATCH_ALL
    } catch (CException* e) {
        pOuter = e;
    }
    ASSERT_NE(nullptr, pOuter);
    EXPECT_EQ(0, s_nDeleted);
    pOuter->Delete();
    EXPECT_EQ(1, s_nDeleted);
}

TEST(CMemoryException, IsStaticAndSurvivesDelete)
{
    CMemoryException* pCaught = NULL;
    try {
        AfxThrowMemoryException();
    } catch (CMemoryException* e) {
        pCaught = e;
        e->Delete();
    }
    ASSERT_NE(nullptr, pCaught);
    EXPECT_TRUE(pCaught->IsKindOf(RUNTIME_CLASS(CMemoryException)));
}

TEST(CFileException, ErrorMessageNamesTheFile)
{
    CFileException e(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "C:\\TVParam.ini");
    TCHAR szMessage[256];
    EXPECT_TRUE(e.GetErrorMessage(szMessage, sizeof(szMessage)));
    EXPECT_STREQ("C:\\TVParam.ini does not exist.", szMessage);
}

TEST(CFileException, ErrorMessageIsCutBetweenCharacters)
{
    CFileException e(CFileException::accessDenied, ERROR_ACCESS_DENIED, "X" GBK_CHENG GBK_CHENG);
    TCHAR szMessage[5];
    EXPECT_TRUE(e.GetErrorMessage(szMessage, sizeof(szMessage)));
    EXPECT_STREQ("X" GBK_CHENG, szMessage);  // four bytes would end on the second lead byte
}

struct OsErrorCase {
    LONG lOsError;
    int cause;
};

TEST(CFileException, OsErrorToException)
{
    const OsErrorCase cases[] = {
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
        {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
        {ERROR_INVALID_FUNCTION, CFileException::generic},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i)
        EXPECT_EQ(cases[i].cause, CFileException::OsErrorToException(cases[i].lOsError)) << "case " << i;
}

TEST(CException, ReportErrorShowsTheMessage)
{
    DialogWatcher watcher;
    CFileException e(CFileException::diskFull, ERROR_DISK_FULL, "D:\\rec.mpg");
    EXPECT_EQ(IDOK, e.ReportError());
    std::vector<ShownDialog> dialogs = watcher.Dialogs();
    ASSERT_EQ(1u, dialogs.size());
    EXPECT_EQ("D:\\rec.mpg cannot be written: the disk is full.", dialogs[0].text);
}
