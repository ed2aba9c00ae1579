#include "dialogs/common_dialog_errors.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(CommonDialogErrors, EveryKnownCodeHasItsName) {
    const struct {
        uint32_t code;
        const char* name;
    } table[] = {
        {0x0001, "CDERR_STRUCTSIZE"},       {0x0002, "CDERR_INITIALIZATION"},
        {0x0003, "CDERR_NOTEMPLATE"},       {0x0004, "CDERR_NOHINSTANCE"},
        {0x0005, "CDERR_LOADSTRFAILURE\t"}, {0x0006, "CDERR_FINDRESFAILURE"},
        {0x0007, "CDERR_LOADRESFAILURE\t"}, {0x0008, "CDERR_LOCKRESFAILURE"},
        {0x0009, "CDERR_MEMALLOCFAILURE"},  {0x000A, "CDERR_MEMLOCKFAILURE\t"},
        {0x000B, "CDERR_NOHOOK"},           {0x3001, "FNERR_SUBCLASSFAILURE"},
        {0x3002, "FNERR_INVALIDFILENAME"},  {0x3003, "FNERR_BUFFERTOOSMALL"},
    };
    for (const auto& entry : table) {
        SCOPED_TRACE(entry.code);
        const char* name = commonDialogErrorName(entry.code);
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(std::string(name), entry.name);
    }
}

TEST(CommonDialogErrors, CancelAndUnknownCodesHaveNoName) {
    for (uint32_t code : {0x0000u, 0x000Cu, 0x0FFFu, 0x1001u, 0x2001u, 0x3000u, 0x3004u,
                          0xFFFFu, 0x10001u})
        EXPECT_EQ(commonDialogErrorName(code), nullptr) << code;
}

} // namespace
