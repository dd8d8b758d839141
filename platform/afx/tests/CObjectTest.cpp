#include <gtest/gtest.h>

#include <afx.h>

namespace {

class CAnimal : public CObject {
    DECLARE_DYNAMIC(CAnimal)
};
IMPLEMENT_DYNAMIC(CAnimal, CObject)

class CDog : public CAnimal {
    DECLARE_DYNCREATE(CDog)
public:
    int m_nLegs = 4;
};
IMPLEMENT_DYNCREATE(CDog, CAnimal)

class CStone : public CObject {
    DECLARE_DYNCREATE(CStone)
};
IMPLEMENT_DYNCREATE(CStone, CObject)

} // namespace

TEST(CRuntimeClass, DescribesTheClass)
{
    CRuntimeClass* pClass = RUNTIME_CLASS(CDog);
    EXPECT_STREQ("CDog", pClass->m_lpszClassName);
    EXPECT_EQ((int)sizeof(CDog), pClass->m_nObjectSize);
    EXPECT_EQ(RUNTIME_CLASS(CAnimal), pClass->m_pBaseClass);
    EXPECT_EQ(RUNTIME_CLASS(CObject), RUNTIME_CLASS(CAnimal)->m_pBaseClass);
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CObject)->m_pBaseClass);
    EXPECT_TRUE(pClass->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(RUNTIME_CLASS(CAnimal)->IsDerivedFrom(pClass));
}

TEST(CObject, IsKindOfFollowsTheBaseClasses)
{
    CDog dog;
    CObject* pObject = &dog;
    EXPECT_EQ(RUNTIME_CLASS(CDog), pObject->GetRuntimeClass());
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(pObject->IsKindOf(RUNTIME_CLASS(CStone)));
    EXPECT_FALSE(pObject->IsSerializable());
    EXPECT_EQ(&dog, DYNAMIC_DOWNCAST(CAnimal, pObject));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CStone, pObject));
    EXPECT_EQ(nullptr, DYNAMIC_DOWNCAST(CStone, (CObject*)NULL));
}

TEST(CRuntimeClass, CreateObjectOnlyForDynCreateClasses)
{
    CObject* pObject = RUNTIME_CLASS(CDog)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CDog)));
    EXPECT_EQ(4, ((CDog*)pObject)->m_nLegs);
    delete pObject;
    EXPECT_EQ(nullptr, RUNTIME_CLASS(CAnimal)->CreateObject());
}

TEST(CRuntimeClass, FrameworkClassesKnowTheirPlace)
{
    CStringArray strings;
    EXPECT_TRUE(strings.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_STREQ("CStringArray", strings.GetRuntimeClass()->m_lpszClassName);
    CObject* pMap = RUNTIME_CLASS(CMapStringToString)->CreateObject();
    ASSERT_NE(nullptr, pMap);
    EXPECT_TRUE(pMap->IsKindOf(RUNTIME_CLASS(CMapStringToString)));
    delete pMap;
    EXPECT_TRUE(RUNTIME_CLASS(CStdioFile)->IsDerivedFrom(RUNTIME_CLASS(CFile)));
    EXPECT_TRUE(RUNTIME_CLASS(CFileException)->IsDerivedFrom(RUNTIME_CLASS(CException)));
}
