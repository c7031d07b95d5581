#pragma once

// A suite of tests that run the real procedures: they read their texts from the program's
// resources (English) and make shortcuts through OLE, both set up once for the suite.

#include "resources/LResDefaultChain.h"

#include <gtest/gtest.h>
#include <ole2.h>

namespace testsupport {

class ProcedureSuite : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        OleInitialize(nullptr);
        LResDefaultChain::CreateForLocale(GetModuleHandleA(nullptr), 0x0409);
    }
    static void TearDownTestSuite()
    {
        LResDefaultChain::Destroy();
        OleUninitialize();
    }
};

} // namespace testsupport
