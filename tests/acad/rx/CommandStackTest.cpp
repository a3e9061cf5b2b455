#include <gtest/gtest.h>

#include <accmd.h>
#include <acdocman.h>
#include <afxwin.h>
#include <rxdlinkr.h>

namespace {
void Nothing() {}
} // namespace

TEST(Registry, HoldsTheLinkerAndTheCommandStackAndCastsSafely) {
    AcRxObject* linker = acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER);
    AcRxObject* commands = acrxSysRegistry()->at(ACRX_COMMAND_DOCK);
    ASSERT_NE(AcRxDynamicLinker::cast(linker), nullptr);
    ASSERT_NE(AcEdCommandStack::cast(commands), nullptr);
    EXPECT_EQ(AcRxDynamicLinker::cast(commands), nullptr);
    EXPECT_EQ(AcEdCommandStack::cast(linker), nullptr);
    EXPECT_EQ(AcEdCommandStack::cast(nullptr), nullptr);
    EXPECT_EQ(acrxSysRegistry()->at(L"NoSuchService"), nullptr);
    EXPECT_TRUE(AcEdCommandStack::desc()->isDerivedFrom(AcRxObject::desc()));
}

TEST(CommandStack, FindsCommandsByLocalOrGlobalNameAndRemovesWholeGroups) {
    AcEdCommandStack stack;
    AcEdCommand* created = nullptr;
    ASSERT_EQ(stack.addCommand(L"G1", L"Report_Global", L"REPORT", ACRX_CMD_TRANSPARENT, Nothing,
                               nullptr, -1, nullptr, &created),
              Acad::eOk);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(stack.addCommand(L"G1", L"Edit_Global", L"EDIT", ACRX_CMD_MODAL, Nothing), Acad::eOk);
    EXPECT_EQ(stack.addCommand(L"G2", L"Other", L"OTHER", ACRX_CMD_MODAL, Nothing), Acad::eOk);
    EXPECT_EQ(stack.addCommand(L"g1", L"X", L"report", 0, Nothing), Acad::eDuplicateKey);
    EXPECT_EQ(stack.addCommand(L"G1", L"Y", L"Y", 0, nullptr), Acad::eInvalidInput);

    EXPECT_EQ(stack.lookupLocalCmd(L"report"), created);
    EXPECT_EQ(stack.lookupCmd(L"_REPORT_GLOBAL"), created);
    EXPECT_EQ(stack.lookupCmd(L"Report_Global"), nullptr); // global names need the underscore
    EXPECT_TRUE(created->isTransparent());
    EXPECT_FALSE(stack.lookupCmd(L"EDIT")->isTransparent());

    EXPECT_EQ(stack.removeGroup(L"G1"), Acad::eOk);
    EXPECT_EQ(stack.lookupCmd(L"REPORT"), nullptr);
    EXPECT_EQ(stack.lookupCmd(L"EDIT"), nullptr);
    EXPECT_NE(stack.lookupCmd(L"OTHER"), nullptr);
    EXPECT_EQ(stack.removeGroup(L"G1"), Acad::eKeyNotFound);
}

TEST(Host, ResourceHandlesStackAndApplicationsAreUnlockedPerId) {
    // The top of the stack is the windowing library's resource source.
    auto module = reinterpret_cast<HINSTANCE>(0x1000);
    auto other = reinterpret_cast<HINSTANCE>(0x2000);
    HINSTANCE before = AfxGetResourceHandle();
    std::size_t depth = acDocManager->resourceDepth();
    acDocManager->pushResourceHandle(module);
    acDocManager->pushResourceHandle(other);
    EXPECT_EQ(AfxGetResourceHandle(), other);
    acDocManager->popResourceHandle();
    EXPECT_EQ(acDocManager->resourceHandle(), module);
    EXPECT_EQ(AfxGetResourceHandle(), module);
    acDocManager->popResourceHandle();
    EXPECT_EQ(AfxGetResourceHandle(), before);
    EXPECT_EQ(acDocManager->resourceDepth(), depth);

    AcRxDynamicLinker linker;
    int app = 0;
    EXPECT_TRUE(linker.isApplicationLocked(&app));
    linker.unlockApplication(&app);
    linker.registerAppMDIAware(&app);
    EXPECT_FALSE(linker.isApplicationLocked(&app));
    EXPECT_TRUE(linker.isAppMDIAware(&app));
    linker.forgetApplication(&app);
    EXPECT_TRUE(linker.isApplicationLocked(&app));
}
