#include "Exceptions.h"

#include <gtest/gtest.h>

namespace {

struct InOutCase {
    std::uint32_t code;
    const char* message;
};

class InOutMessageTest : public testing::TestWithParam<InOutCase> {};

TEST_P(InOutMessageTest, CodeGivesItsMessage)
{
    const EInOutError e(GetParam().code);
    EXPECT_EQ(e.Message(), GetParam().message);
    EXPECT_EQ(e.ErrorCode(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Table, InOutMessageTest, testing::Values(
    InOutCase{2, "File not found"},
    InOutCase{3, "Invalid filename"},
    InOutCase{4, "Too many open files"},
    InOutCase{5, "File access denied"},
    InOutCase{100, "Read beyond end of file"},
    InOutCase{101, "Disk full"},
    InOutCase{106, "Invalid numeric input"},
    InOutCase{0, "I/O error 0"},
    InOutCase{32, "I/O error 32"},
    InOutCase{112, "I/O error 112"},
    InOutCase{4294967295u, "I/O error 4294967295"}));

TEST(StreamErrors, NameTheFileUnchanged)
{
    EXPECT_EQ(EFOpenError("a\\b c.sss").Message(), "Cannot open file a\\b c.sss");
    EXPECT_EQ(EFCreateError("C:\\x\\TYX2023.lnk").Message(), "Cannot create file C:\\x\\TYX2023.lnk");
}

TEST(StreamErrors, AreCaughtAsTheirBases)
{
    try {
        throw EFCreateError("x");
    } catch (const EStreamError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file x");
    }
}

} // namespace
