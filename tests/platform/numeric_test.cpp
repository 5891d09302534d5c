#include "platform/errors.h"
#include "platform/errortrap.h"
#include "platform/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <new>

using namespace platform;

namespace {

int errorOf(auto&& operation) {
    try {
        operation();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(Numeric, RoundHalfEvenSendsTiesToTheEvenNeighbour) {
    const struct {
        double in, out;
    } cases[] = {{0.5, 0.0},    {1.5, 2.0},   {2.5, 2.0},     {3.5, 4.0},
                 {-0.5, -0.0},  {-1.5, -2.0}, {-2.5, -2.0},   {2.4999, 2.0},
                 {2.5001, 3.0}, {9.75, 10.0}, {-9.75, -10.0}, {1e15 + 0.5, 1e15}};
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c.in), c.out) << c.in;
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""))));
}

TEST(Numeric, ConversionsRefuseWhatDoesNotFitAfterRounding) {
    EXPECT_EQ(roundToInt16(32767.4), 32767);
    EXPECT_EQ(roundToInt16(-32768.5), -32768); // the tie goes to the even -32768
    EXPECT_EQ(errorOf([] { roundToInt16(32767.5); }), err::Overflow);
    EXPECT_EQ(errorOf([] { roundToInt16(-32768.51); }), err::Overflow);
    EXPECT_EQ(errorOf([] { roundToInt16(std::nan("")); }), err::Overflow);
    EXPECT_EQ(roundToInt32(2147483647.4), 2147483647);
    EXPECT_EQ(errorOf([] { roundToInt32(2147483647.5); }), err::Overflow);
    EXPECT_EQ(errorOf([] { roundToInt32(std::numeric_limits<double>::infinity()); }),
              err::Overflow);
}

TEST(Numeric, CheckedArithmeticOverflowsInsteadOfWrapping) {
    EXPECT_EQ(add16(32766, 1), 32767);
    EXPECT_EQ(errorOf([] { add16(32767, 1); }), err::Overflow);
    EXPECT_EQ(errorOf([] { sub16(-32768, 1); }), err::Overflow);
    EXPECT_EQ(errorOf([] { mul16(256, 128); }), err::Overflow);
    EXPECT_EQ(add32(2147483646, 1), 2147483647);
    EXPECT_EQ(errorOf([] { add32(2147483647, 1); }), err::Overflow);
    EXPECT_EQ(errorOf([] { sub32(-2147483647 - 1, 1); }), err::Overflow);
    EXPECT_EQ(errorOf([] { mul32(65536, 32768); }), err::Overflow);
    EXPECT_EQ(errorOf([] { mul32(std::numeric_limits<std::int64_t>::max(), 2); }), err::Overflow);
    EXPECT_EQ(errorOf([] { toInt16(32768); }), err::Overflow);
    EXPECT_EQ(toInt16(-32768), -32768);
}

TEST(Numeric, IntegerDivisionTruncatesTowardZero) {
    EXPECT_EQ(divTrunc32(7, 2), 3);
    EXPECT_EQ(divTrunc32(-7, 2), -3);
    EXPECT_EQ(divTrunc32(7, -2), -3);
    EXPECT_EQ(divTrunc16(-1, 2), 0);
    EXPECT_EQ(errorOf([] { divTrunc32(1, 0); }), err::DivisionByZero);
    EXPECT_EQ(errorOf([] { divTrunc32(std::numeric_limits<std::int32_t>::min(), -1); }),
              err::Overflow);
    EXPECT_EQ(errorOf([] { divTrunc16(-32768, -1); }), err::Overflow);
}

TEST(Numeric, CentringRoundsTheDifferenceThenHalvesDroppingTheRemainder) {
    EXPECT_EQ(centred(1024, 300), 362);
    EXPECT_EQ(centred(1025, 300), 362); // 725 / 2 drops the half
    EXPECT_EQ(centred(1000.5, 0), 500); // 1000.5 rounds to the even 1000
    EXPECT_EQ(centred(1001.5, 0), 501); // 1001.5 rounds to the even 1002
    EXPECT_EQ(centred(100, 301), -100); // -201 / 2 truncates toward zero
}

TEST(ErrorTrap, KeepsGoingAfterAFailedStepAndRemembersTheLatestError) {
    ErrorTrap trap;
    int ran = 0;
    EXPECT_FALSE(trap.run([&] { raiseError(err::FileNotFound); }));
    EXPECT_TRUE(trap.run([&] { ++ran; }));
    EXPECT_EQ(trap.pending(), err::FileNotFound); // a good step does not clear it
    EXPECT_FALSE(trap.run([&] { throw std::bad_alloc(); }));
    EXPECT_FALSE(trap.run([&] { ++ran, add16(32767, ran); }));
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(trap.take(), err::Overflow);
    EXPECT_FALSE(trap.hasPending());
}

TEST(ErrorTrap, TranslatesForeignExceptions) {
    ErrorTrap trap;
    trap.run([] { throw std::bad_alloc(); });
    EXPECT_EQ(trap.take(), err::OutOfMemory);
    trap.run([] { throw 42; });
    EXPECT_EQ(trap.take(), err::InvalidCall);
}
