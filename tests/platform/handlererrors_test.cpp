#include "platform/handlererrors.h"

#include "platform/errors.h"
#include "support/recordingmessagesink.h"

#include <gtest/gtest.h>

using platform::ErrorTrap;
using platform::HandlerErrors;
using platform::MessageIcon;
using testsupport::RecordingMessageSink;

namespace {

void overflow() {
    platform::raiseError(platform::err::Overflow);
}

} // namespace

TEST(HandlerErrors, TellsTheUserTheErrorOfAHandlerTheUserRaised) {
    RecordingMessageSink messages;
    HandlerErrors errors(messages);
    errors.run(overflow);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "Error 6: Overflow");
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
}

TEST(HandlerErrors, HandsTheErrorOfANestedHandlerToTheStepThatRaisedIt) {
    RecordingMessageSink messages;
    HandlerErrors errors(messages);
    ErrorTrap outer;
    {
        const auto outerScope = errors.collectInto(outer);
        ErrorTrap inner;
        {
            const auto innerScope = errors.collectInto(inner);
            // As a step that ticks a check box whose handler fails.
            inner.run([&] { errors.run(overflow); });
        }
        EXPECT_EQ(inner.pending(), platform::err::Overflow);
        errors.run([] { platform::raiseError(platform::err::SubscriptOutOfRange); });
    }
    EXPECT_EQ(outer.pending(), platform::err::SubscriptOutOfRange);
    EXPECT_TRUE(messages.messages.empty());

    errors.run(overflow);
    EXPECT_EQ(messages.messages.size(), 1u) << "without a scope the user hears of it again";
}
